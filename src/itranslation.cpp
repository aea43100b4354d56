#include "itranslation.h"

#include <QCoreApplication>
#include <QHash>
#include <QDebug>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include "iglobal.h"

namespace {
QPointer<QTranslator>& installed()
{
    static QPointer<QTranslator> translator;
    return translator;
}

QString& installedLanguage()
{
    static QString langid;
    return langid;
}

QPointer<QTranslator>& installedQt()
{
    static QPointer<QTranslator> translator;
    return translator;
}

// Qt's name for each language id; English needs no translation.
QString qtLocaleName(const QString& langid)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("2052"), QStringLiteral("zh_CN")}, {QStringLiteral("1028"), QStringLiteral("zh_TW")},
        {QStringLiteral("1034"), QStringLiteral("es")},    {QStringLiteral("1031"), QStringLiteral("de")},
        {QStringLiteral("1042"), QStringLiteral("ko")},    {QStringLiteral("1036"), QStringLiteral("fr")},
        {QStringLiteral("1040"), QStringLiteral("it")},    {QStringLiteral("1043"), QStringLiteral("nl")},
        {QStringLiteral("1055"), QStringLiteral("tr")},
    };
    return names.value(langid);
}

void installQtTranslation(const QString& langid)
{
    if (installedQt()) {
        QCoreApplication::removeTranslator(installedQt());
        delete installedQt();
    }
    const QString name = qtLocaleName(langid);
    if (name.isEmpty())
        return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_") + name, QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
        qDebug() << Q_FUNC_INFO << "no Qt translation for" << name;
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installedQt() = translator;
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
    if (installed() && installedLanguage() == langid)
        return true;
    installQtTranslation(langid);
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
    installedLanguage() = langid;
    qDebug() << Q_FUNC_INFO << "translation loaded" << path;
    return true;
}
