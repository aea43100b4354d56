#ifndef ISETTINGFRAME_H
#define ISETTINGFRAME_H

#include <QList>
#include <QPair>
#include <QString>

#include "customui/ipanelframe.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class QToolButton;

// The modal settings dialog opened from the title bar: "About" (name, language,
// version), "Save" (picture and video folders) and "Format" (file formats).
class ISettingFrame : public IPanelFrame
{
    Q_OBJECT
public:
    enum Page { AboutPage = 0, SavePage = 1, FormatPage = 2 };

    ISettingFrame(IApplication* app, QWidget* parent);

    // Showing starts on the About page and runs the dialog modally; hiding closes it.
    void setFrameVisible(const bool& visible) override;

    QStackedWidget* pages() const { return m_pages; }
    QToolButton* tabButton(Page page) const { return m_tabs.value(page); }
    QComboBox* languageBox() const { return m_language; }
    QLineEdit* photoFolderField() const { return m_photoFolder; }
    QLineEdit* videoFolderField() const { return m_videoFolder; }
    // The format radio with that "index" property (1..4 pictures, 5..8 videos).
    QRadioButton* formatRadio(int index) const;
    // Asks for a folder and, once confirmed, stores it; video when true, else pictures.
    void chooseFolder(bool video);
    // Opens the picture or video folder in the desktop's file manager, or names it
    // when there is none.
    void viewFolder(bool video);

protected:
    virtual void InitLanguage();
    virtual void CreateUI();
    virtual QToolButton* CreateButton(const QString& text);
    virtual QRadioButton* CreateRadioButton(const int& index, const QString& format);
    virtual QWidget* CreateAboutWidget();
    virtual QWidget* CreateStorageWidget();
    virtual QWidget* CreateFormatWidget();

private slots:
    void slCurrentIndexChanged(int index);
    void slRadioButtonClicked();

private:
    void showPage(Page page);
    // Folder fields and format radios show the values in force.
    void showCurrentSettings();
    // Closes the program so that it starts again in the chosen language.
    void restartForLanguage();

    QStackedWidget* m_pages = nullptr;
    QList<QToolButton*> m_tabs;
    QComboBox* m_language = nullptr;
    QLineEdit* m_photoFolder = nullptr;
    QLineEdit* m_videoFolder = nullptr;
    QList<QRadioButton*> m_formatRadios;
    QList<QPair<QString, QString>> m_languages;  // (language id, display name)
};

#endif
