#pragma once

#include "temp_dir.h"
