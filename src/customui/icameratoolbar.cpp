#include "icameratoolbar.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "customui/isvglogo.h"
#include "iglobal.h"

namespace {
int scaled(double v) { return int(v * IGSQUARERATE); }

QString icon(const char* name)
{
    return QStringLiteral(":/cameratoolbar/cameratoolbar/") + QLatin1String(name) + QStringLiteral(".svg");
}
}

ICameraToolBar::ICameraToolBar(IApplication* app, QWidget* parent)
    : ICustomWidget(parent)
    , m_app(app)
{
    setFixedHeight(scaled(100));
    CreateUI();
}

QPoint ICameraToolBar::buttonGlobslPos(ICameraToolBar::ButtonType type)
{
    IIToolButton* b = m_buttons.value(QVariant(int(type)));
    return b ? b->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
}

void ICameraToolBar::setButtonEnable(ICameraToolBar::ButtonType type, bool b)
{
    if (IIToolButton* button = m_buttons.value(QVariant(int(type))))
        button->setEnabled(b);
}

void ICameraToolBar::setButtonChecked(ICameraToolBar::ButtonType type, bool b)
{
    if (IIToolButton* button = m_buttons.value(QVariant(int(type))))
        button->setChecked(b);
}

void ICameraToolBar::CreateUI()
{
    struct Row { ButtonType id; const char* text; const char* normal; const char* click; bool checkable; };
    static const Row rows[] = {
        {FocusExposure, QT_TR_NOOP("Focus and Exposure"), "ccameracontrolnormal", "ccameracontrolclick", false},
        {Magnifier, QT_TR_NOOP("Magnifier"), "cmagnifiernormal", "cmagnifierclick", false},
        {Resolution, QT_TR_NOOP("Resolution"), "cpixratenormal", "cpixrateclick", false},
        {ZoomIn, QT_TR_NOOP("Zoom-in"), "caddscalenormal", "caddscaleclick", false},
        {ZoomOut, QT_TR_NOOP("Zoom-out"), "csubscalenormal", "csubscaleclick", false},
        {Rotate, QT_TR_NOOP("Rotate"), "crotatenormal", "crotateclick", false},
        {Freeze, QT_TR_NOOP("Freeze"), "cfreezenormal", "cfreezeclick", true},
        {ColorAdjusting, QT_TR_NOOP("Color-adjusting"), "cparameternormal", "cparameterclick", false},
        {SelfAdapting, QT_TR_NOOP("Self-adapting"), "cresetnormal", "cresetclick", false},
        {AutoEdge, QT_TR_NOOP("Automatic edging"), "autoedgenormal", "autoedgeclick", true},
        {Camera, QT_TR_NOOP("Camera"), "autoedgenormal", "autoedgeclick", false},
        {PictureInPicture, QT_TR_NOOP("Picture-in-picture"), "csmallcameranormal", "csmallcameraclick", false},
        {SplitScreen, QT_TR_NOOP("Split-screen"), "ccomparnormal", "ccomparclick", false},
    };

    QList<IIToolButton*> row;
    for (const Row& r : rows)
        row << CreateButton(QVariant(int(r.id)), tr(r.text), icon(r.normal), icon(r.click), r.checkable,
                            QSize(85, 60), 8);
    IIToolButton* snap = CreateButton(QVariant(int(Snap)), tr("Snap"), icon("ccameranormal"), icon("ccameraclick"),
                                      QSize(102, 72), IIToolButton::LeftRadius);
    IIToolButton* photoMode = CreateButton(QVariant(int(PhotoMode)), tr("Photo-mode"), icon("cdropnoranl"),
                                           icon("cdropclick"), QSize(52, 72), IIToolButton::RightRadius);
    IIToolButton* video = CreateButton(QVariant(int(VideoRecording)), tr("Video-Recording"),
                                       icon("cvediorecordnormal"), icon("cvediorecordclick"), true, QSize(154, 72), 16);
    IIToolButton* pdf = CreateButton(QVariant(int(Pdf)), QStringLiteral("PDF"), icon("cpdfnormal"), icon("cpdfclick"),
                                     false, QSize(154, 72), 18);

    auto* snapPair = new QHBoxLayout;
    snapPair->setSpacing(0);
    snapPair->addWidget(snap);
    snapPair->addWidget(photoMode);

    // Their commands live in the right tool bar and the title bar's camera list.
    for (ButtonType hidden : {Magnifier, ZoomIn, ZoomOut, Rotate, SelfAdapting, Camera})
        m_buttons.value(QVariant(int(hidden)))->setVisible(false);

    auto* logo = new ISvgLogo(QStringLiteral(":/root/root/barlogo.svg"), this);
    logo->setFixedSize(scaled(180), scaled(80));

    auto* line = new QHBoxLayout;
    line->addSpacing(scaled(10));
    line->addWidget(logo);
    line->addSpacing(scaled(3));
    for (IIToolButton* b : qAsConst(row))
        line->addWidget(b);
    line->addStretch();
    line->addLayout(snapPair);
    line->addWidget(video);
    line->addWidget(pdf);
    line->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addLayout(line);
    layout->addStretch();
}

IIToolButton* ICameraToolBar::CreateButton(QVariant id, const QString& text, const QString& normalSvg,
                                           const QString& clickSvg, QSize size, IIToolButton::RadiusType radiusType)
{
    auto* b = new IIToolButton(id, text, normalSvg, clickSvg, size, radiusType, 8, nullptr);
    registerButton(id, b);
    return b;
}

IIToolButton* ICameraToolBar::CreateButton(QVariant id, const QString& text, const QString& normalSvg,
                                           const QString& clickSvg, const bool& checkable, QSize size,
                                           const int& padding)
{
    auto* b = new IIToolButton(id, text, normalSvg, clickSvg, scaled(10), checkable, size, padding, nullptr);
    registerButton(id, b);
    return b;
}

void ICameraToolBar::registerButton(const QVariant& id, IIToolButton* button)
{
    m_buttons[id] = button;
    connect(button, &IIToolButton::sgButtonClick, this, &ICameraToolBar::sgButtonClick);
}
