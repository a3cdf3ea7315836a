// The board as the window shows it, checked on the pixels grabbed from the paint box.

#include "app/board_drawing.h"
#include "app/goban_box.h"
#include "app/main_form.h"
#include "app/sorell_process.h"
#include "app_test_support.h"
#include "database/k_data.h"
#include "database/k_database.h"
#include "rules/ban_history.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QTest>

#include <memory>

namespace {

// Only what a test turns on is drawn.
void plainBoard(SrOption& o) {
    quietOptions(o);
    o.numbering = 0;
    o.latestCursor = 0;
    o.standard = 0;
    o.axisChar = 1;
    o.warning = 0;
    o.colorBan = SrOption::kDefaultColorBan;
}

QColor at(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

const QColor kFace(228, 175, 14);
const QColor kBlackDisc(0, 0, 0);
const QColor kWhiteDisc(255, 255, 255);
const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

// Black's four in row 7 after seven moves: (2, 7) and (7, 7) would make five.
const Points kBlackFour = {{3, 7}, {0, 0}, {4, 7}, {0, 2}, {5, 7}, {0, 4}, {6, 7}};

} // namespace

class BoardDrawingTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { env_ = std::make_unique<AppTestEnvironment>(); }
    void cleanupTestCase() { env_.reset(); }

    void emptyBoardShowsFaceGridAndAxis();
    void stonesInTheirColours();
    void numbersOnlyWithNumbering();
    void standardContinuationIsAGreenDisc();
    void warningsAreRedDiscs();
    void faceFollowsTheChosenColour();
    void changedSquaresOfAMove();

  private:
    std::unique_ptr<AppTestEnvironment> env_;
};

void BoardDrawingTest::emptyBoardShowsFaceGridAndAxis() {
    TestGame g(plainBoard);
    QImage image = g.board();
    QCOMPARE(image.size(), QSize(352, 343));
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    QCOMPARE(at(image, 25, 25), kFace);
    QCOMPARE(at(image, 330, 330), kFace);
    QCOMPARE(at(image, 2, 200), buttonFace);
    QCOMPARE(at(image, 345, 340), buttonFace);
    QCOMPARE(at(image, 20, 100), QColor(Qt::black));  // the outline of the face
    QCOMPARE(at(image, 40, 100), QColor(Qt::black));  // grid line 0
    QCOMPARE(at(image, 100, 320), QColor(Qt::black)); // grid line 14
    QCOMPARE(at(image, 50, 50), kFace);
    QCOMPARE(at(image, 181, 179), QColor(Qt::black)); // the centre star point
    QCOMPARE(at(image, 186, 186), kFace);

    // The axis characters lie on the button face above and left of the face.
    auto inkAbove = [&](const QImage& im) {
        int ink = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 30; x < 330; ++x) ink += at(im, x, y) != buttonFace;
        return ink;
    };
    QVERIFY(inkAbove(image) > 50);
    g.form->widgets().KA3->trigger();
    QCOMPARE(srOption().axisChar, 0);
    image = g.board();
    QCOMPARE(inkAbove(image), 0);
}

void BoardDrawingTest::stonesInTheirColours() {
    TestGame g(plainBoard);
    g.place({{7, 7}, {8, 8}, {0, 0}});
    const QImage image = g.board();
    QVERIFY(discIsPlain(image, 7, 7, 7, kBlackDisc));
    QVERIFY(discIsPlain(image, 8, 8, 7, kWhiteDisc));
    QVERIFY(discIsPlain(image, 0, 0, 7, kBlackDisc));
    // The disc's black outline and the face beyond it.
    QCOMPARE(at(image, pointPixel(8) + 12, pointPixel(8) + 5), kFace);
    QCOMPARE(at(image, pointPixel(9) + 5, pointPixel(9) + 5), kFace);
}

void BoardDrawingTest::numbersOnlyWithNumbering() {
    TestGame g(plainBoard);
    g.place({{7, 7}, {8, 8}});
    QImage image = g.board();
    QVERIFY(discIsPlain(image, 7, 7, 7, kBlackDisc));
    QVERIFY(discIsPlain(image, 8, 8, 7, kWhiteDisc));
    g.form->widgets().KN2->trigger();
    QCOMPARE(srOption().numbering, 1);
    image = g.board();
    QVERIFY(!discIsPlain(image, 7, 7, 7, kBlackDisc)); // a white 1 on the black stone
    QVERIFY(!discIsPlain(image, 8, 8, 7, kWhiteDisc)); // a black 2 on the white stone
}

void BoardDrawingTest::standardContinuationIsAGreenDisc() {
    // A database of two-stone positions in the current (temporary) directory: after black
    // (7, 7) and white (8, 8), the standard move is (6, 8).
    {
        KDataBase base(2);
        KData entry(2);
        entry.stones[0] = 7 + 15 * 7;
        entry.stones[1] = 8 + 15 * 8;
        entry.continuations.push_back(KDataElement{static_cast<uint8_t>(6 + 15 * 8), 0});
        QVERIFY(base.registerData(entry));
        QVERIFY(base.save());
    }
    TestGame g(plainBoard);
    g.form->widgets().KS3->trigger();
    QCOMPARE(srOption().standard, 1);
    g.place({{7, 7}, {8, 8}});
    QImage image = g.board();
    QVERIFY(discIsPlain(image, 6, 8, 7, kGreen));
    // The same position seen in another orientation gets the hint carried along.
    g.form->game().NewGame();
    g.place({{7, 7}, {6, 6}});
    image = g.board();
    QVERIFY(discIsPlain(image, 8, 6, 7, kGreen) || discIsPlain(image, 6, 8, 7, kGreen));
    // Off: no hint.
    g.form->widgets().KS3->trigger();
    image = g.board();
    QCOMPARE(at(image, pointPixel(8) + 4, pointPixel(6) + 4), kFace);
    QCOMPARE(at(image, pointPixel(6) + 4, pointPixel(8) + 4), kFace);
    QFile::remove("kelp002.kdb");
}

void BoardDrawingTest::warningsAreRedDiscs() {
    TestGame g(plainBoard);
    g.form->widgets().KW1->trigger();
    QCOMPARE(srOption().warning, 1);
    g.form->widgets().KN2->trigger(); // warnings carry no number even with numbering on
    g.place(kBlackFour);
    QImage image = g.board();
    QVERIFY(discIsPlain(image, 7, 7, 7, kRed));
    QVERIFY(discIsPlain(image, 2, 7, 7, kRed));
    QCOMPARE(at(image, pointPixel(8) + 4, pointPixel(7) + 4), kFace);
    QCOMPARE(at(image, pointPixel(7) + 4, pointPixel(8) + 4), kFace);

    // After white's answer the warnings are white's: nothing here.
    g.place({{7, 7}});
    image = g.board();
    QCOMPARE(at(image, pointPixel(2) + 4, pointPixel(7) + 4), kFace);

    g.form->widgets().KW1->trigger();
    g.form->game().UndoMove();
    image = g.board();
    QCOMPARE(at(image, pointPixel(7) + 4, pointPixel(7) + 4), kFace);
}

void BoardDrawingTest::faceFollowsTheChosenColour() {
    TestGame g(plainBoard);
    env_->seam.colourAnswer = QColor(10, 20, 30);
    g.form->KC1Click();
    env_->seam.colourAnswer = QColor();
    QCOMPARE(srOption().colorBan, 0x001E140A); // red in the lowest byte
    QCOMPARE(at(g.board(), 25, 25), QColor(10, 20, 30));
    // A cancelled dialog changes nothing.
    g.form->KC1Click();
    QCOMPARE(srOption().colorBan, 0x001E140A);
}

// The incremental path copies the latest stone's square, then the previous stone's, then the
// hints', in this order.
void BoardDrawingTest::changedSquaresOfAMove() {
    TestGame g(plainBoard);
    BoardDrawOptions options;
    options.standard = true;
    options.warning = true;
    BanHistory moves;
    QPixmap bitmap(352, 362);
    const StandardLookup noStandard = [](const BanHistory&) { return 255; };
    QVERIFY(ComposeBoard(bitmap, moves, options, noStandard).empty());
    moves.appendAndJudge(7, 7, 'B');
    auto squares = ComposeBoard(bitmap, moves, options, noStandard);
    QCOMPARE(squares.size(), size_t(1));
    QCOMPARE(squares[0], QRect(134, 134, 72, 72));
    moves.appendAndJudge(8, 8, 'W');
    squares = ComposeBoard(bitmap, moves, options, [](const BanHistory&) { return 0; });
    QCOMPARE(squares.size(), size_t(3));
    QCOMPARE(squares[0], copySquare(8, 8));
    QCOMPARE(squares[1], copySquare(7, 7));
    QCOMPARE(squares[2], copySquare(0, 0));
}

QTEST_MAIN(BoardDrawingTest)
#include "board_drawing_test.moc"
