#include "customui/isettingframe.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDebug>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

#include "customui/iimglistviewer.h"
#include "customui/iitoolbutton.h"
#include "customui/imsgbox.h"
#include "customui/ipixrateframe.h"
#include "customui/itimercaptureframe.h"
#include "customui/iuihelper.h"
#include "iapplication.h"
#include "idialogseam.h"
#include "iglobal.h"
#include "mainframe.h"
#include "service/iconfigureservice.h"

namespace {
const int kMsgOk = 0x400;

int scaled(double v)
{
    return static_cast<int>(v * IGSQUARERATE);
}

QLabel* createColorLabel(const int& width, const QColor& color, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setFixedWidth(static_cast<int>(width * IGHEIGHTRATE));
    label->setStyleSheet(QStringLiteral("background-color:rgba(%1,%2,%3,%4);border-radius:%5")
                             .arg(color.red())
                             .arg(color.green())
                             .arg(color.blue())
                             .arg(color.alpha())
                             .arg(label->width() / 2));
    return label;
}

QGroupBox* createGroup(const QString& title)
{
    auto* group = new QGroupBox(title);
    group->setFont(createFont(12, 75));
    group->setStyleSheet(QStringLiteral("color:white;background-color: transparent;"));
    return group;
}

QWidget* createPage()
{
    auto* page = new QWidget;
    page->setAttribute(Qt::WA_TranslucentBackground);
    return page;
}

// A page with a "Picture" and a "Video" group, each filled by fill(group, video).
QWidget* createGroupsPage(const std::function<void(QGroupBox*, bool)>& fill)
{
    QWidget* page = createPage();
    auto* layout = new QVBoxLayout(page);
    const int m = scaled(20);
    layout->setContentsMargins(m, m, m, m);
    for (const bool video : {false, true}) {
        QGroupBox* group = createGroup(video ? ISettingFrame::tr("Video") : ISettingFrame::tr("Picture"));
        fill(group, video);
        if (video)
            layout->addSpacing(m);
        layout->addWidget(group);
    }
    layout->addStretch();
    return page;
}

struct FormatChoice
{
    int index;
    const char* format;
};
const FormatChoice kPictureFormats[] = {{1, "png"}, {2, "jpeg"}, {3, "tiff"}, {4, "bmp"}};
const FormatChoice kVideoFormats[] = {{5, "mp4"}, {6, "flv"}, {7, "avi"}, {8, "mov"}};
}

ISettingFrame::ISettingFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, tr("Settings"), true, parent)
{
    InitLanguage();
    CreateUI();
    setMoveState(true);
    setBackgroundLinearGradient(true);
}

void ISettingFrame::setFrameVisible(const bool& visible)
{
    if (!visible) {
        accept();
        return;
    }
    showPage(AboutPage);
    // Save As in the gallery changes the picture format too: show what is in force now.
    showCurrentSettings();
    centreOnWindow(this, parentWidget());
    exec();
}

QRadioButton* ISettingFrame::formatRadio(int index) const
{
    for (QRadioButton* radio : m_formatRadios) {
        if (radio->property("index").toInt() == index)
            return radio;
    }
    return nullptr;
}

void ISettingFrame::InitLanguage()
{
    m_languages = {{QStringLiteral("2052"), QStringLiteral("简体中文")}, {QStringLiteral("1028"), QStringLiteral("繁體中文")},
                   {QStringLiteral("1033"), QStringLiteral("English")},  {QStringLiteral("1034"), QStringLiteral("Español")},
                   {QStringLiteral("1031"), QStringLiteral("Deutsch")},  {QStringLiteral("1042"), QStringLiteral("한국어.")},
                   {QStringLiteral("1036"), QStringLiteral("Français")}, {QStringLiteral("1040"), QStringLiteral("Italiano")},
                   {QStringLiteral("1043"), QStringLiteral("Nederlands")}, {QStringLiteral("1055"), QStringLiteral("Türkçe")}};
}

void ISettingFrame::CreateUI()
{
    setFixedSize(scaled(650), scaled(450));

    auto* tabs = new QVBoxLayout;
    tabs->setSpacing(0);
    for (const QString& text : {tr("About"), tr("Save"), tr("Format")}) {
        QToolButton* button = CreateButton(text);
        const Page page = static_cast<Page>(m_tabs.size());
        m_tabs.append(button);
        tabs->addWidget(button);
        connect(button, &QToolButton::clicked, button, [this, page] { showPage(page); }, Qt::DirectConnection);
    }
    tabs->addStretch();

    m_pages = new QStackedWidget;
    m_pages->setAttribute(Qt::WA_TranslucentBackground);
    m_pages->addWidget(CreateAboutWidget());
    m_pages->addWidget(CreateStorageWidget());
    m_pages->addWidget(CreateFormatWidget());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, static_cast<int>(30 * IGHEIGHTRATE), 0, 0);
    layout->setSpacing(0);
    layout->addLayout(tabs);
    layout->addWidget(createColorLabel(2, Qt::black, this));
    layout->addWidget(m_pages);
    showPage(AboutPage);
    showCurrentSettings();
}

void ISettingFrame::showPage(Page page)
{
    m_pages->setCurrentIndex(page);
    for (int i = 0; i < m_tabs.size(); ++i)
        m_tabs.at(i)->setChecked(i == page);
}

QToolButton* ISettingFrame::CreateButton(const QString& text)
{
    auto* button = new QToolButton;
    button->setText(text);
    button->setFont(createFont(12, 75));
    button->setFixedSize(scaled(120), scaled(35));
    button->setCheckable(true);
    button->setStyleSheet(
        QStringLiteral("QToolButton{border:none;color:white;}"
                       "QToolButton:hover{color:rgb(235,120,7);background-color:%1}"
                       "QToolButton:pressed{color:rgb(235,120,7);background-color:%1}"
                       "QToolButton:checked{color:rgb(235,120,7);background-color:%2}")
            .arg(g_gradient_hover, g_gradient_normal));
    return button;
}

QRadioButton* ISettingFrame::CreateRadioButton(const int& index, const QString& format)
{
    QRadioButton* radio = createStyledRadio(format, nullptr);
    radio->setProperty("index", index);
    radio->setProperty("format", format);
    connect(radio, &QRadioButton::clicked, this, &ISettingFrame::slRadioButtonClicked);
    m_formatRadios.append(radio);
    return radio;
}

QWidget* ISettingFrame::CreateAboutWidget()
{
    const QFont font = createFont(10, 50);
    m_language = createComboBox(QStringList(), 25, font, 25, font, nullptr);
    m_language->setFixedWidth(scaled(200));
    for (const auto& language : qAsConst(m_languages)) {
        m_language->addItem(QIcon(), language.second, language.first);
        if (language.first == g_software_langid)
            m_language->setCurrentIndex(m_language->count() - 1);
    }

    QWidget* page = createPage();
    auto* form = new QFormLayout;
    form->setSpacing(scaled(30));
    form->addRow(createLabel(tr("Software:"), page), createLabel(g_software_name, page));
    form->addRow(createLabel(tr("Language switch:"), page), m_language);
    form->addRow(createLabel(tr("Software Version:"), page), createLabel(g_software_version, page));

    QLabel* company = createLabel(g_software_company, page);
    company->setAlignment(Qt::AlignCenter);
    company->setWordWrap(true);

    auto* layout = new QVBoxLayout(page);
    const int m = scaled(20);
    layout->setContentsMargins(m, m, m, m);
    layout->addLayout(form);
    layout->addStretch();
    layout->addWidget(company);

    // Connected after filling, so that the current language asks nothing.
    connect(m_language, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ISettingFrame::slCurrentIndexChanged);
    return page;
}

void ISettingFrame::slCurrentIndexChanged(int index)
{
    Q_UNUSED(index)
    auto* box = qobject_cast<QComboBox*>(sender());
    if (!box)
        return;
    const QString langid = box->currentData().toString();
    if (langid == g_software_langid)
        return;
    QWidget* owner = parentWidget();
    if (IMsgBox::showMsg(tr("Restart the software, to activate the language setting."), IMsgBox::OkCancel,
                         g_software_name, owner)
        != kMsgOk) {
        const int current = box->findData(g_software_langid, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (current >= 0)
            box->setCurrentIndex(current);
        return;
    }
    IConfigureService::instance()->setLang(langid);
    accept();
    restartForLanguage();
}

void ISettingFrame::restartForLanguage()
{
    MainFrame* frame = mainFrame();
    if (!frame)
        return;
    // The new process starts once this one has closed and let go of its key.
    if (m_app)
        m_app->restartAfterExit();
    frame->close();
}

QWidget* ISettingFrame::CreateStorageWidget()
{
    return createGroupsPage([this](QGroupBox* group, bool video) {
        QLineEdit* field = createStyledLineEdit(nullptr);
        field->setText(video ? g_video_savepath : g_photo_savepath);
        field->setReadOnly(true);
        field->setFixedHeight(scaled(30));
        field->setStyleSheet(QStringLiteral("border:none;color:black;background-color:white;border-radius:%1px;")
                                 .arg(6 * IGSQUARERATE));
        (video ? m_videoFolder : m_photoFolder) = field;

        auto* view = new IIToolButton(0, video ? tr("View video file path") : tr("View picture file path"),
                                      QSize(180, 35), IIToolButton::AllRadius, false);
        auto* setup = new IIToolButton(0, video ? tr("Setup video file path") : tr("Setup picture file path"),
                                       QSize(250, 35), IIToolButton::AllRadius, false);
        view->setToolTip(QString());
        setup->setToolTip(QString());

        auto* form = new QFormLayout(group);
        form->setSpacing(scaled(10));
        form->addRow(field);
        form->addRow(view, setup);

        connect(view, &QToolButton::clicked, view, [this, video] { viewFolder(video); }, Qt::DirectConnection);
        connect(setup, &QToolButton::clicked, setup, [this, video] { chooseFolder(video); }, Qt::DirectConnection);
    });
}

void ISettingFrame::chooseFolder(bool video)
{
    const QString dir = IDialogSeam::getExistingDirectory(parentWidget(), tr("Open"), QString());
    if (dir.isEmpty())
        return;
    if (IMsgBox::showMsg(tr("Confirm modification?"), IMsgBox::OkCancel, g_software_name, this) != kMsgOk)
        return;
    IConfigureService* config = IConfigureService::instance();
    if (video) {
        config->setVideoPath(dir);
        m_videoFolder->setText(g_video_savepath);
    } else {
        config->setPhotoPath(dir);
        m_photoFolder->setText(g_photo_savepath);
    }
}

QWidget* ISettingFrame::CreateFormatWidget()
{
    return createGroupsPage([this](QGroupBox* group, bool video) {
        auto* row = new QHBoxLayout(group);
        row->setMargin(scaled(15));
        for (const FormatChoice& choice : video ? kVideoFormats : kPictureFormats)
            row->addWidget(CreateRadioButton(choice.index, QLatin1String(choice.format)));
    });
}

void ISettingFrame::showCurrentSettings()
{
    if (m_photoFolder)
        m_photoFolder->setText(g_photo_savepath);
    if (m_videoFolder)
        m_videoFolder->setText(g_video_savepath);
    for (const bool video : {false, true}) {
        const QString& current = video ? g_video_format : g_photo_format;
        QRadioButton* checked = nullptr;
        QRadioButton* first = nullptr;
        for (QRadioButton* radio : qAsConst(m_formatRadios)) {
            if ((radio->property("index").toInt() > 4) != video)
                continue;
            if (!first)
                first = radio;
            if (!checked && radio->property("format").toString() == current)
                checked = radio;
        }
        // An unknown saved format shows the first; the stored one stays until a click.
        if (QRadioButton* shown = checked ? checked : first)
            shown->setChecked(true);
    }
}

void ISettingFrame::viewFolder(bool video)
{
    const QString folder = video ? g_video_savepath : g_photo_savepath;
    if (!IImgListViewer::open(folder))
        IMsgBox::showMsg(tr("No program to show the folder was found. The folder is:\n%1").arg(folder), this);
}

void ISettingFrame::slRadioButtonClicked()
{
    auto* radio = qobject_cast<QRadioButton*>(sender());
    if (!radio)
        return;
    const QString format = radio->property("format").toString();
    IConfigureService* config = IConfigureService::instance();
    if (radio->property("index").toInt() > 4) {
        config->setVideoFormat(format);
        qDebug() << "video format: " << format;
    } else {
        config->setPhotoFormat(format);
        qDebug() << "picture format: " << format;
    }
}
