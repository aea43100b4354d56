// The compiled translations: each language's .qm file turns the program's texts into
// that language, and the tool bars and the settings dialog show no untranslated text.

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <QtMath>
#include <QtTest>

#include <memory>

#include "customui/iboardtoolbar.h"
#include "customui/icameratoolbar.h"
#include "customui/icapturemodeframe.h"
#include "customui/imaintitlewidget.h"
#include "customui/imsgbox.h"
#include "customui/iparameterframe.h"
#include "customui/irighttoolbar.h"
#include "customui/isettingframe.h"
#include "customui/itimelapseframe.h"
#include "customui/itimercaptureframe.h"
#include "customui/ivideorecordframe.h"
#include "idialogseam.h"
#include "iglobal.h"
#include "itranslation.h"
#include "testenv.h"
#include "tsfile.h"

namespace {
struct Known
{
    const char* context;
    const char* source;
    const char* translation;
};

// A few texts per language, written out here so a mix-up of files or ids shows.
QVector<Known> knownTexts(const QString& langid)
{
    const QHash<QString, QVector<Known>> all = {
        {"1033", {{"ICaptureModeFrame", "拍照提示音", "Shutter sound"}, {"ISettingFrame", "Settings", "Settings"},
                  {"IVideoRecordFrame", "自动判断", "Automatic"}}},
        {"2052", {{"ISettingFrame", "Settings", "设置"}, {"ICameraToolBar", "Snap", "拍照"},
                  {"ICaptureModeFrame", "拍照提示音", "拍照提示音"}}},
        {"1028", {{"ISettingFrame", "Settings", "設定"}, {"ICameraToolBar", "Camera", "攝影機"},
                  {"IVideoRecordFrame", "自动判断", "自動判斷"}}},
        {"1034", {{"ISettingFrame", "Settings", "Configuración"}, {"ICaptureModeFrame", "拍照提示音", "Sonido del obturador"},
                  {"IThicknessFrame", "%1 thickness", "Grosor %1"}}},
        {"1031", {{"ISettingFrame", "Settings", "Einstellungen"}, {"ICaptureModeFrame", "拍照提示音", "Auslöseton"},
                  {"IBoardToolBar", "Eraser", "Radierer"}}},
        {"1042", {{"ISettingFrame", "Settings", "설정"}, {"ICaptureModeFrame", "拍照提示音", "셔터 소리"},
                  {"IMainTitleWidget", "Close", "닫기"}}},
        {"1036", {{"ISettingFrame", "Settings", "Réglages"}, {"ICaptureModeFrame", "拍照提示音", "Son de l'obturateur"},
                  {"IRightToolBar", "Board", "Tableau"}}},
        {"1040", {{"ISettingFrame", "Settings", "Impostazioni"}, {"ICaptureModeFrame", "拍照提示音", "Suono dello scatto"},
                  {"ICameraToolBar", "Freeze", "Blocca"}}},
        {"1043", {{"ISettingFrame", "Settings", "Instellingen"}, {"ICaptureModeFrame", "拍照提示音", "Sluitergeluid"},
                  {"ITimelapseFrame", "Resume", "Hervatten"}}},
        {"1055", {{"ISettingFrame", "Settings", "Ayarlar"}, {"ICaptureModeFrame", "拍照提示音", "Deklanşör sesi"},
                  {"IColorFrame", "Yellow", "Sarı"}}},
    };
    return all.value(langid);
}

bool hasLetter(const QString& text)
{
    for (const QChar c : text) {
        if (c.isLetter())
            return true;
    }
    return false;
}

// "PDF" and the like read the same in every language.
bool isAcronym(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^[A-Z]{2,5}$"));
    return re.match(text).hasMatch();
}

struct Shown
{
    QString where;
    QString text;
};

// Every text a user reads on the widget and its children: captions, labels, tool tips.
QVector<Shown> shownTexts(QWidget* root)
{
    QVector<Shown> out;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        const QString where = QString::fromLatin1(w->metaObject()->className());
        // A file format's own name ("png", "mp4") is shown as it is.
        const QString format = w->property("format").toString();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            if (b->text() != format)
                out.push_back({where, b->text()});
        }
        if (auto* l = qobject_cast<QLabel*>(w))
            out.push_back({where, l->text()});
        if (auto* g = qobject_cast<QGroupBox*>(w))
            out.push_back({where, g->title()});
        out.push_back({where + QStringLiteral(" tool tip"), w->toolTip()});
    }
    return out;
}
}

class TestTranslationsUi : public QObject
{
    Q_OBJECT
private slots:
    void compiledTranslations_data();
    void compiledTranslations();
    void barsAndSettingsTranslated_data();
    void barsAndSettingsTranslated();
    void textsFitTheirButtons_data();
    void textsFitTheirButtons();
    void hintsFitTheirFields_data();
    void hintsFitTheirFields();
    void messageBoxButtonsTranslated_data();
    void messageBoxButtonsTranslated();
    void cleanup();
};

void TestTranslationsUi::cleanup()
{
    QVERIFY(ITranslation::install(QStringLiteral("1033")));
}

void TestTranslationsUi::compiledTranslations_data()
{
    QTest::addColumn<QString>("langid");
    for (const QString& id : languageIds())
        QTest::newRow(qPrintable(id)) << id;
}

void TestTranslationsUi::compiledTranslations()
{
    QFETCH(QString, langid);
    QVERIFY2(QFileInfo::exists(ITranslation::qmFilePath(langid)), qPrintable(ITranslation::qmFilePath(langid)));
    QVERIFY(ITranslation::install(langid));

    const QVector<Known> known = knownTexts(langid);
    QCOMPARE(known.size(), 3);
    for (const Known& k : known)
        QCOMPARE(QCoreApplication::translate(k.context, k.source), QString::fromUtf8(k.translation));

    // The .qm file holds what the .ts file says, for every message.
    const TsFile file = readTsFile(tsPath(langid));
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
    QVERIFY(!file.messages.isEmpty());
    for (const TsMessage& m : file.messages) {
        if (m.translations.size() != 1)
            continue;
        const QByteArray context = m.context.toUtf8();
        const QByteArray source = m.source.toUtf8();
        const QByteArray comment = m.comment.toUtf8();
        QCOMPARE(QCoreApplication::translate(context.constData(), source.constData(),
                                             comment.isEmpty() ? nullptr : comment.constData()),
                 m.translations.first());
    }
}

void TestTranslationsUi::barsAndSettingsTranslated_data()
{
    compiledTranslations_data();
}

void TestTranslationsUi::barsAndSettingsTranslated()
{
    QFETCH(QString, langid);
    const TsFile file = readTsFile(tsPath(langid));
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
    QHash<QString, QString> untranslated; // source text -> its translation, where they differ
    QSet<QString> translations;
    for (const TsMessage& m : file.messages) {
        for (const QString& t : m.translations) {
            translations.insert(t);
            if (t != m.source)
                untranslated.insert(m.source, t);
        }
    }
    QVERIFY(ITranslation::install(langid));

    std::vector<std::unique_ptr<QWidget>> widgets;
    widgets.emplace_back(new IRightToolBar(nullptr));
    widgets.emplace_back(new ICameraToolBar(nullptr));
    widgets.emplace_back(new IBoardToolBar(nullptr));
    widgets.emplace_back(new IMainTitleWidget(nullptr, nullptr));
    widgets.emplace_back(new ISettingFrame(nullptr, nullptr));
    widgets.emplace_back(new ICaptureModeFrame(nullptr, nullptr));
    widgets.emplace_back(new IVideoRecordFrame(nullptr, nullptr));
    const QSet<QString> ownNames = {g_software_name, g_software_version, g_software_company};

    QStringList faults;
    int translatedTexts = 0;
    for (const auto& root : widgets) {
        for (const Shown& s : shownTexts(root.get())) {
            const QString where = QString::fromLatin1(root->metaObject()->className()) + '/' + s.where;
            if (s.text.isEmpty())
                continue;
            if (untranslated.contains(s.text))
                faults << where + QStringLiteral(" shows the source text \"") + s.text + '"';
            else if (translations.contains(s.text))
                ++translatedTexts;
            else if (hasLetter(s.text) && !ownNames.contains(s.text) && !isAcronym(s.text))
                faults << where + QStringLiteral(" shows a text from no translation: \"") + s.text + '"';
            if (langid == QLatin1String("1033") && hasHan(s.text))
                faults << where + QStringLiteral(" shows Chinese in English: \"") + s.text + '"';
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    // The bars and the dialog carry dozens of texts; a handful means the walk missed them.
    QVERIFY2(translatedTexts >= 40, qPrintable(QString::number(translatedTexts)));
}

void TestTranslationsUi::textsFitTheirButtons_data()
{
    compiledTranslations_data();
}

// Panel buttons have fixed sizes: a translation too long for its button is cut off.
void TestTranslationsUi::textsFitTheirButtons()
{
    QFETCH(QString, langid);
    QVERIFY(ITranslation::install(langid));
    std::vector<std::unique_ptr<QWidget>> panels;
    panels.emplace_back(new IVideoRecordFrame(nullptr, nullptr));
    panels.emplace_back(new IVideoRecordMsgBox(nullptr));
    panels.emplace_back(new ITimerCaptureFrame(nullptr, nullptr));
    panels.emplace_back(new IParameterFrame(nullptr, nullptr));
    panels.emplace_back(new ITimelapseFrame(nullptr, nullptr));
    panels.emplace_back(new ISettingFrame(nullptr, nullptr));
    QStringList faults;
    int checked = 0;
    for (const auto& panel : panels) {
        for (QAbstractButton* b : panel->findChildren<QAbstractButton*>()) {
            b->ensurePolished();
            if (b->text().isEmpty() || !b->icon().isNull() || b->minimumWidth() != b->maximumWidth())
                continue;
            ++checked;
            const int needed = QFontMetrics(b->font()).horizontalAdvance(b->text());
            if (needed > b->maximumWidth())
                faults << QStringLiteral("%1: \"%2\" needs %3 of %4 pixels")
                              .arg(QString::fromLatin1(panel->metaObject()->className()), b->text())
                              .arg(needed)
                              .arg(b->maximumWidth());
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    QVERIFY2(checked >= 8, qPrintable(QString::number(checked)));
}

void TestTranslationsUi::hintsFitTheirFields_data()
{
    QTest::addColumn<QString>("langid");
    QTest::addColumn<double>("factor");
    // The program's factors on screens 1024, 1920, 2560 and 3840 pixels wide.
    for (const QString& id : languageIds())
        for (const double factor : {0.72, 1.0, 1.33, 2.0})
            QTest::addRow("%s x%.2f", qPrintable(id), factor) << id << factor;
}

// Qt cuts a hint too long for its field short with an ellipsis: drawn in a field twice
// as wide, the whole hint must end inside the field's width and look the same.
void TestTranslationsUi::hintsFitTheirFields()
{
    QFETCH(QString, langid);
    QFETCH(double, factor);
    QVERIFY(ITranslation::install(langid));
    IGSQUARERATE = factor;
    ITimerCaptureFrame dialog(nullptr, nullptr);
    const int corner = qCeil(6 * factor) + 1;
    IGSQUARERATE = 1.0;
    QStringList faults;
    for (QLineEdit* field : {dialog.intervalEdit(), dialog.pagesEdit()}) {
        QVERIFY(field->text().isEmpty() && !field->placeholderText().isEmpty());
        const int width = field->width();
        const QImage shown = field->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        field->setFixedWidth(2 * width);
        const QImage whole = field->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        field->setFixedWidth(width);
        // Rightmost column of the whole hint, away from the rounded corners.
        const QRgb background = whole.pixel(whole.width() - corner - 1, whole.height() / 2);
        int right = -1;
        for (int x = 0; x < whole.width() - corner; ++x)
            for (int y = corner; y < whole.height() - corner; ++y)
                if (qAbs(qGray(whole.pixel(x, y)) - qGray(background)) > 20)
                    right = x;
        bool same = true;
        for (int x = 0; x < width - corner && same; ++x)
            for (int y = 0; y < shown.height() && same; ++y)
                same = shown.pixel(x, y) == whole.pixel(x, y);
        if (right < 0 || right >= width - 2 || !same)
            faults << QStringLiteral("\"%1\" ends at %2 in a field %3 wide%4")
                          .arg(field->placeholderText())
                          .arg(right)
                          .arg(width)
                          .arg(same ? QString() : QStringLiteral(", cut short"));
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void TestTranslationsUi::messageBoxButtonsTranslated_data()
{
    compiledTranslations_data();
}

// The real message box, not the tests' stand-in: its buttons are Qt's own otherwise.
void TestTranslationsUi::messageBoxButtonsTranslated()
{
    QFETCH(QString, langid);
    QVERIFY(ITranslation::install(langid));
    IDialogSeam::setMessageHook(nullptr);
    QStringList captions;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        for (QAbstractButton* b : box->buttons())
            captions << b->text();
        box->button(QMessageBox::Ok)->click();
    });
    poll.start(20);
    const int answer = IMsgBox::showMsg(QStringLiteral("?"), IMsgBox::OkCancel, g_software_name, nullptr);
    TestEnv::afterApplication(); // the tests' stand-in again
    QCOMPARE(answer, int(QMessageBox::Ok));
    captions.sort();
    QStringList expected = {QCoreApplication::translate("IMsgBox", "OK"), QCoreApplication::translate("IMsgBox", "Cancel")};
    expected.sort();
    QCOMPARE(captions, expected);
    if (langid == QLatin1String("1031"))
        QVERIFY(captions.contains(QStringLiteral("Abbrechen")));
}

OCUMETRA_TEST_MAIN(TestTranslationsUi)

#include "tst_translations_ui.moc"
