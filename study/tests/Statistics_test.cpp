#include "study/Statistics.h"

#include <gtest/gtest.h>
