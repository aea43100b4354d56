#include <QApplication>
#include <QtTest>

#include "iglobal.h"
#include "testenv.h"
#include "tst_kit.h"

void TestKit::cleanup()
{
    applyScaleFactors(ScaleFactors{});
    TestEnv::clearMessages();
    TestEnv::setMessageAnswer(0x400);
}

OCUMETRA_TEST_MAIN(TestKit)
