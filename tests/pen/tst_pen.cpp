#include <QtTest>

#include "tst_pen.h"
#include "testenv.h"

#include "board/path/ipathmodes.h"

void TestPen::initTestCase()
{
    registerPathModes();
}

OCUMETRA_TEST_MAIN(TestPen)
