#pragma once

#include "database/openings.h"

#include <QString>

// "D1 寒星 (Kansei)".
QString openingCaption(const Opening& opening);
