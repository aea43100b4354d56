#include <QtTest>
#include <memory>

#include "coretests.h"
#include "iapplication.h"
#include "testenv.h"

std::vector<CoreTestFactory>& coreTests()
{
    static std::vector<CoreTestFactory> tests;
    return tests;
}

// The application object here is the program's own, so its global mouse signals and
// exec() can be tested; the key differs from the program's so a test run never meets
// a real one. OCUMETRA_CORE_TEST=<class> runs that test object alone (so that function
// names can be given on the command line).
int main(int argc, char** argv)
{
    TestEnv::prepare();
    IApplication app(QStringLiteral("OcumetraTest"), argc, argv);
    TestEnv::afterApplication();
    const QString only = qEnvironmentVariable("OCUMETRA_CORE_TEST");
    int failed = 0;
    for (const CoreTestFactory& make : coreTests()) {
        std::unique_ptr<QObject> test(make());
        if (!only.isEmpty() && only != QLatin1String(test->metaObject()->className()))
            continue;
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
