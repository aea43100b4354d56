#include <QApplication>
#include <QtTest>

#include "iglobal.h"
#include "testenv.h"
#include "tst_boardkit.h"

void TestBoardKit::cleanup()
{
    applyScaleFactors(ScaleFactors{});
}

OCUMETRA_TEST_MAIN(TestBoardKit)
