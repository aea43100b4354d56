#ifndef SCREENSETUP_H
#define SCREENSETUP_H

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

// The screens a test's entry sets up, in OCUMETRA_TEST_SCREENS: each screen's device
// pixel ratio, "1,2" for two screens of which the second is scaled 2x. Returns what Qt
// sees instead, or nothing when it sees those; a test that loops over the screens would
// otherwise pass on whatever it is given.
inline QString screenSetupProblem()
{
    const QString wanted = qEnvironmentVariable("OCUMETRA_TEST_SCREENS");
    QStringList seen;
    for (const QScreen* screen : QGuiApplication::screens())
        seen << QString::number(screen->devicePixelRatio());
    if (wanted.isEmpty() || seen.join(',') == wanted)
        return QString();
    return QStringLiteral("set up for %1 screen(s) of pixel ratio %2; Qt sees %3 of ratio %4")
        .arg(wanted.count(',') + 1)
        .arg(wanted)
        .arg(seen.size())
        .arg(seen.join(','));
}

#endif
