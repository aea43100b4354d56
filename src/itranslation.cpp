#include "itranslation.h"

#include <QCoreApplication>
#include <QDebug>
#include <QPointer>
#include <QTranslator>

#include "iglobal.h"

namespace {
QPointer<QTranslator>& installed()
{
    static QPointer<QTranslator> translator;
    return translator;
}
}

QString ITranslation::qmFilePath(const QString& langid)
{
    return applicationResourcesPath() + QStringLiteral("/Lang/%1.qm").arg(langid);
}

bool ITranslation::install(const QString& langid)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    auto* translator = new QTranslator(app);
    const QString path = qmFilePath(langid);
    if (!translator->load(path)) {
        qWarning() << Q_FUNC_INFO << "cannot load translation" << path;
        delete translator;
        return false;
    }
    if (installed()) {
        QCoreApplication::removeTranslator(installed());
        delete installed();
    }
    QCoreApplication::installTranslator(translator);
    installed() = translator;
    qDebug() << Q_FUNC_INFO << "translation loaded" << path;
    return true;
}
