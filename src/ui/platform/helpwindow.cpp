#include "ui/platform/helpwindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tallyro {

const QUrl HelpWindow::kHomePage(QStringLiteral("qthelp://org.tallyro.help/doc/index.html"));

HelpBrowser::HelpBrowser(QHelpEngine& engine, QWidget* parent)
    : QTextBrowser(parent), engine_(engine) {}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() == QLatin1String("qthelp"))
        return engine_.fileData(name);
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(const QString& collectionFile, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmhelp"));
    setWindowTitle(QStringLiteral("Tallyro Help"));
    engine_ = new QHelpEngine(collectionFile, this);
    // The collection stands beside the program and may not be writable.
    engine_->setReadOnly(true);
    engine_->setUsesFilterEngine(true);
    ready_ = engine_->setupData();
    if (!ready_)
        error_ = engine_->error();
    else if (engine_->registeredDocumentations().isEmpty()) {
        ready_ = false;
        error_ = QStringLiteral("The collection holds no help pages.");
    }
    buildWindow();
}

void HelpWindow::buildWindow() {
    contents_ = engine_->contentWidget();
    contents_->setObjectName(QStringLiteral("tvwcontents"));
    contents_->setAccessibleName(QStringLiteral("Contents"));
    contents_->setHeaderHidden(true);

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    auto* prompt = new QLabel(QStringLiteral("&Type the first letters of the word you want:"));
    prompt->setWordWrap(true);
    txtsearch_ = new QLineEdit;
    txtsearch_->setObjectName(QStringLiteral("txtsearch"));
    txtsearch_->setAccessibleName(prompt->text().remove(QLatin1Char('&')));
    txtsearch_->setClearButtonEnabled(true);
    prompt->setBuddy(txtsearch_);
    lstindex_ = engine_->indexWidget();
    lstindex_->setObjectName(QStringLiteral("lstindex"));
    lstindex_->setAccessibleName(QStringLiteral("Index"));
    cmddisplay_ = new QPushButton(QStringLiteral("&Display"));
    cmddisplay_->setObjectName(QStringLiteral("cmddisplay"));
    indexLayout->addWidget(prompt);
    indexLayout->addWidget(txtsearch_);
    indexLayout->addWidget(lstindex_, 1);
    indexLayout->addWidget(cmddisplay_, 0, Qt::AlignRight);

    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabhelp"));
    tabs_->addTab(contents_, QStringLiteral("&Contents"));
    tabs_->addTab(indexPage, QStringLiteral("&Index"));

    browser_ = new HelpBrowser(*engine_, this);
    browser_->setObjectName(QStringLiteral("txtpage"));
    browser_->setAccessibleName(QStringLiteral("Help page"));
    browser_->setOpenLinks(true);

    auto* cmdback = new QPushButton(QStringLiteral("&Back"));
    cmdback->setObjectName(QStringLiteral("cmdback"));
    cmdback->setEnabled(false);
    auto* cmdforward = new QPushButton(QStringLiteral("&Forward"));
    cmdforward->setObjectName(QStringLiteral("cmdforward"));
    cmdforward->setEnabled(false);
    auto* cmdhome = new QPushButton(QStringLiteral("&Home"));
    cmdhome->setObjectName(QStringLiteral("cmdhome"));
    auto* cmdclose = new QPushButton(QStringLiteral("Clo&se"));
    cmdclose->setObjectName(QStringLiteral("cmdclose"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdback);
    buttons->addWidget(cmdforward);
    buttons->addWidget(cmdhome);
    buttons->addStretch(1);
    buttons->addWidget(cmdclose);

    auto* pageSide = new QWidget;
    auto* pageLayout = new QVBoxLayout(pageSide);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addLayout(buttons);
    pageLayout->addWidget(browser_, 1);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(tabs_);
    splitter->addWidget(pageSide);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({280, 540});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(820, 580);

    connect(contents_, &QHelpContentWidget::linkActivated, this, &HelpWindow::showPage);
    connect(lstindex_, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { showPage(link.url); });
    // A keyword on several pages shows the first; the others are reached
    // through the links of that page.
    connect(lstindex_, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& links, const QString&) {
                if (!links.isEmpty())
                    showPage(links.first().url);
            });
    connect(txtsearch_, &QLineEdit::textChanged, lstindex_,
            [this](const QString& text) { lstindex_->filterIndices(text); });
    connect(txtsearch_, &QLineEdit::returnPressed, lstindex_,
            &QHelpIndexWidget::activateCurrentItem);
    connect(cmddisplay_, &QPushButton::clicked, lstindex_, &QHelpIndexWidget::activateCurrentItem);
    connect(engine_->indexModel(), &QHelpIndexModel::indexCreated, this,
            [this] { lstindex_->filterIndices(txtsearch_->text()); });
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, this,
            &HelpWindow::syncContents);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::syncContents);
    connect(browser_, &QTextBrowser::backwardAvailable, cmdback, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, cmdforward, &QWidget::setEnabled);
    connect(cmdback, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(cmdforward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(cmdhome, &QPushButton::clicked, this, &HelpWindow::showContentsPage);
    connect(cmdclose, &QPushButton::clicked, this, &QWidget::close);

    // Up and Down in the search field move through the index, as in the
    // keyword search the teacher knows.
    txtsearch_->installEventFilter(this);
}

bool HelpWindow::isIndexReady() const {
    return ready_ && !engine_->indexModel()->isCreatingIndex() &&
           engine_->indexModel()->rowCount() > 0;
}

bool HelpWindow::isContentsReady() const {
    return ready_ && !engine_->contentModel()->isCreatingContents() &&
           engine_->contentModel()->rowCount() > 0;
}

void HelpWindow::showContentsPage() {
    tabs_->setCurrentIndex(0);
    showPage(kHomePage);
    contents_->setFocus();
}

void HelpWindow::showIndex(const QString& partialKey) {
    tabs_->setCurrentIndex(1);
    if (browser_->source().isEmpty())
        showPage(kHomePage);
    txtsearch_->setText(partialKey);
    // The same text does not emit a change, so filter once more here.
    lstindex_->filterIndices(partialKey);
    txtsearch_->selectAll();
    txtsearch_->setFocus();
}

void HelpWindow::showPage(const QUrl& url) {
    if (browser_->source() == url)
        return;
    browser_->setSource(url);
}

void HelpWindow::syncContents() {
    if (!isContentsReady())
        return;
    contents_->expandAll();
    const QModelIndex index = contents_->indexOf(browser_->source());
    if (index.isValid())
        contents_->setCurrentIndex(index);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtsearch_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QApplication::sendEvent(lstindex_, event);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tallyro
