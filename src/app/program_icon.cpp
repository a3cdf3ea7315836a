#include "app/program_icon.h"

QIcon programIcon() {
    // The built-in picture lives in a static library: registering it here links it in.
    static const bool registered = [] {
        Q_INIT_RESOURCE(sorell_icon);
        return true;
    }();
    (void)registered;
    return QIcon::fromTheme(QStringLiteral("sorell"), QIcon(QStringLiteral(":/sorell/sorell.png")));
}
