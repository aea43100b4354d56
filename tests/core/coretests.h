#ifndef CORETESTS_H
#define CORETESTS_H

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

// tst_core runs several test objects under one IApplication; each file registers its own.
using CoreTestFactory = std::function<QObject*()>;
std::vector<CoreTestFactory>& coreTests();

struct CoreTestRegistrar
{
    explicit CoreTestRegistrar(CoreTestFactory f) { coreTests().push_back(std::move(f)); }
};

#define OCUMETRA_CORE_TEST(Class) \
    static const CoreTestRegistrar s_register##Class([]() -> QObject* { return new Class; })

#endif
