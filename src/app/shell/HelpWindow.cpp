#include "app/shell/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace airmotor::app {

HelpWindow::HelpWindow(const QString& programFolder, core::MessageSink& sink, QWidget* parent)
    : QWidget(parent, Qt::Window), helpFolder(QDir(programFolder).filePath("help")), messages(sink),
      browser(new QTextBrowser(this)) {
    setObjectName("HelpWindow");
    browser->setObjectName("helpBrowser");
    browser->setOpenExternalLinks(true);
    browser->setSearchPaths({helpFolder});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    resize(kDefaultSize);
    connect(new QShortcut(QKeySequence::Back, this), &QShortcut::activated, browser, &QTextBrowser::backward);
    connect(new QShortcut(QKeySequence::Forward, this), &QShortcut::activated, browser,
            &QTextBrowser::forward);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString HelpWindow::topicPage(int topicId) {
    switch (topicId) {
    case 2:
        return "search.html";
    case 3:
        return "diagram.html";
    case kUsingHelpTopic:
        return "usinghelp.html";
    default:
        return "index.html";
    }
}

void HelpWindow::openContents() {
    openPage("index.html");
}

void HelpWindow::openTopic(int topicId) {
    openPage(topicPage(topicId));
}

QString HelpWindow::currentPage() const {
    return QDir(helpFolder).relativeFilePath(browser->source().toLocalFile());
}

QString HelpWindow::LanguageFolder(const std::string& languageName) {
    static const std::pair<const char*, const char*> kFolders[] = {
        {"German", "de"}, {"French", "fr"}, {"Italian", "it"}, {"Spanish", "es"}};
    for (const auto& [name, folder] : kFolders)
        if (languageName == name)
            return QString::fromLatin1(folder);
    return QString(); // both English settings read the pages of the help folder itself
}

void HelpWindow::setLanguage(const std::string& languageName, const std::string& englishPageNotice) {
    languageName_ = languageName;
    languageFolder_ = LanguageFolder(languageName);
    englishPageNotice_ = englishPageNotice;
}

void HelpWindow::openPage(const QString& fileName) {
    QString path = QDir(helpFolder).filePath(fileName);
    if (!languageFolder_.isEmpty()) {
        const QString translated = QDir(helpFolder).filePath(languageFolder_ + "/" + fileName);
        if (QFileInfo(translated).isFile()) {
            path = translated;
        } else if (QFileInfo::exists(path) && toldEnglishOnly_.insert(languageName_).second) {
            core::Message m;
            m.text = englishPageNotice_;
            m.icon = core::MessageIcon::Information;
            messages.show(m);
        }
    }
    if (!QFileInfo::exists(path)) {
        core::Message m;
        m.text = ("The file " + QDir::toNativeSeparators(path) +
                  " does not exist.\nPlease make sure the help folder was installed beside the program.")
                     .toStdString();
        m.icon = core::MessageIcon::Critical;
        m.title = "Help";
        messages.show(m);
        return;
    }
    browser->setSource(QUrl::fromLocalFile(path));
    if (!isVisible())
        emit opening();
    show();
    raise();
    activateWindow();
}

} // namespace airmotor::app
