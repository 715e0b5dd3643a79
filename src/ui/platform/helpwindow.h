#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class QHelpEngine;
class QHelpContentWidget;
class QHelpIndexWidget;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace tallyro {

// Shows the pages of the help collection, asking the help engine for every
// page, picture and style sheet.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QHelpEngine& engine_;
};

// The help viewer: a table of contents, a keyword index searched by the first
// letters of a keyword, and the page being read.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The first page of the help, shown by the contents.
    static const QUrl kHomePage;

    HelpWindow(const QString& collectionFile, QWidget* parent = nullptr);

    // Whether the collection opened; if not, errorText() says why.
    bool isReady() const { return ready_; }
    QString errorText() const { return error_; }

    void showContentsPage();
    // The index, filtered to the keywords that hold the text, the best match
    // selected; an empty key leaves the field empty for the teacher to type.
    void showIndex(const QString& partialKey);
    void showPage(const QUrl& url);

    QHelpEngine& engine() { return *engine_; }
    QTabWidget* tabs() const { return tabs_; }
    QLineEdit* searchField() const { return txtsearch_; }
    QHelpIndexWidget* indexList() const { return lstindex_; }
    QHelpContentWidget* contentsTree() const { return contents_; }
    HelpBrowser* browser() const { return browser_; }

    // Whether the index and the contents are ready to be searched.
    bool isIndexReady() const;
    bool isContentsReady() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void syncContents();

    QHelpEngine* engine_ = nullptr;
    bool ready_ = false;
    QString error_;
    QTabWidget* tabs_ = nullptr;
    QHelpContentWidget* contents_ = nullptr;
    QLineEdit* txtsearch_ = nullptr;
    QHelpIndexWidget* lstindex_ = nullptr;
    QPushButton* cmddisplay_ = nullptr;
    HelpBrowser* browser_ = nullptr;
};

} // namespace tallyro
