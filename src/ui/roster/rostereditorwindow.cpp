#include "ui/roster/rostereditorwindow.h"

#include "core/exchange/namelist.h"
#include "core/roster/roster.h"
#include "ui/platform/automationids.h"
#include "ui/platform/controls.h"
#include "ui/roster/studentnamevalidator.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

namespace tallyro {

namespace {

QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}

// A name as the list takes it: the grade file cannot hold a double quote,
// and blanks around a name are nobody's intent.
QString asTyped(const QString& name) {
    return toQt(withoutDoubleQuotes(name.toStdString())).trimmed();
}

bool hasLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

// The roster's name box. A list copied from a spreadsheet or a document
// arrives as lines: whichever way it is pasted (the keys, the box's menu,
// the middle button, a drop) it goes to the editor as several names. Text
// without a line break pastes into the box as usual.
class NameBox : public QLineEdit {
public:
    NameBox(QWidget* parent, std::function<void(const QString&)> pasteLines)
        : QLineEdit(parent), pasteLines_(std::move(pasteLines)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Paste) && takeLines(QClipboard::Clipboard)) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

    void contextMenuEvent(QContextMenuEvent* event) override {
        QMenu* menu = createStandardContextMenu();
        if (!menu)
            return;
        // The menu's Paste, found by its caption (with the shortcut after a tab).
        for (QAction* action : menu->actions()) {
            if (action->text().section(u'\t', 0, 0) != QLineEdit::tr("&Paste"))
                continue;
            action->setObjectName("edit-paste");
            disconnect(action, &QAction::triggered, this, &QLineEdit::paste);
            connect(action, &QAction::triggered, this, [this] {
                if (!takeLines(QClipboard::Clipboard))
                    paste();
            });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPos());
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::MiddleButton && !isReadOnly() &&
            QGuiApplication::clipboard()->supportsSelection() && takeLines(QClipboard::Selection)) {
            event->accept();
            return;
        }
        QLineEdit::mouseReleaseEvent(event);
    }

    void dropEvent(QDropEvent* event) override {
        if (event->mimeData()->hasText() && hasLineBreak(event->mimeData()->text())) {
            event->acceptProposedAction();
            // After the drop is over: too many names are told in a message.
            QMetaObject::invokeMethod(
                this, [this, text = event->mimeData()->text()] { pasteLines_(text); },
                Qt::QueuedConnection);
            return;
        }
        QLineEdit::dropEvent(event);
    }

private:
    bool takeLines(QClipboard::Mode mode) {
        QString text = QGuiApplication::clipboard()->text(mode);
        if (!hasLineBreak(text))
            return false;
        pasteLines_(text);
        return true;
    }

    std::function<void(const QString&)> pasteLines_;
};

// A roster list shows sixteen names where the work area has room for them,
// and gives up rows down to a few where it has not.
class RosterList : public QListWidget {
public:
    static constexpr int kRows = 16;
    static constexpr int kFewestRows = 6;
    using QListWidget::QListWidget;
    QSize sizeHint() const override {
        return {QListWidget::sizeHint().width(), fontMetrics().height() * kRows + 2 * frameWidth()};
    }
};

} // namespace

RosterEditorWindow::RosterEditorWindow(AppState& state, Platform& platform, Shell& shell,
                                       const std::vector<std::string>& names, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform), shell_(shell) {
    setObjectName("listform");
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // The window shows no caption. A screen reader names it by its accessible
    // name, and its frame in the work area by the title, which a frame
    // without a border never draws.
    setAccessibleName("Roster Editor");
    setWindowTitle("Roster Editor");

    Frame10 = new QGroupBox("Student Name", this);
    Frame10->setObjectName("Frame10");
    txtname = new NameBox(Frame10, [this](const QString& text) { pasteNames(text); });
    txtname->setObjectName("txtname");
    txtname->setAccessibleName("Student Name");
    txtname->setValidator(new StudentNameValidator(txtname));
    txtname->setMinimumWidth(fontMetrics().horizontalAdvance(QString(30, u'n')));
    cmdadd = new QPushButton("&Add/Enter", Frame10);
    cmdadd->setObjectName("cmdadd");
    cmdadd->setEnabled(false);
    Command3 = new QPushButton("&Remove", Frame10);
    Command3->setObjectName("Command3");
    Command3->setEnabled(false);
    // Alt+I: no other control here, nor the menu bar above, uses it.
    cmdimport = windowButton(Frame10, "cmdimport", "&Import names...");
    cmdimport->setAccessibleName("Import names");
    cmdimport->setToolTip("Add the names of a text or CSV file, one name a line");
    cmdendenter = new QPushButton("En&d Of File", Frame10);
    cmdendenter->setObjectName("cmdendenter");
    for (QPushButton* button : {cmdadd, Command3, cmdendenter})
        button->setAutoDefault(false);

    auto* nameLayout = new QVBoxLayout(Frame10);
    nameLayout->addWidget(txtname);
    nameLayout->addSpacing(8);
    nameLayout->addWidget(cmdadd);
    nameLayout->addWidget(Command3);
    nameLayout->addSpacing(8);
    nameLayout->addWidget(cmdimport);
    nameLayout->addSpacing(8);
    nameLayout->addWidget(cmdendenter);
    nameLayout->addStretch(1);

    QString listCaption = state_.rosterSorted ? "Student List (sorted)" : "Student List (unsorted)";
    Frame6 = new QGroupBox(listCaption, this);
    Frame6->setObjectName("Frame6");
    // Two lists in one place: member 0 keeps the order of entry, member 1 the
    // alphabetical order; only the one in use is shown.
    auto* listLayout = new QGridLayout(Frame6);
    for (int i = 0; i < 2; ++i) {
        lstclient[i] = new RosterList(Frame6);
        lstclient[i]->setObjectName(QString("lstclient%1").arg(i));
        lstclient[i]->setAccessibleName(listCaption);
        lstclient[i]->setSelectionMode(QAbstractItemView::SingleSelection);
        lstclient[i]->setMinimumSize(fontMetrics().horizontalAdvance(QString(30, u'n')),
                                     fontMetrics().height() * RosterList::kFewestRows);
        lstclient[i]->setVisible(i == sortedListIndex());
        listLayout->addWidget(lstclient[i], 0, 0, 1, 2);
        connect(lstclient[i], &QListWidget::itemSelectionChanged, this, [this, i] {
            if (i == sortedListIndex())
                Command3->setEnabled(!lstclient[i]->selectedItems().isEmpty());
        });
    }
    Label1 = new QLabel("Count", Frame6);
    Label1->setObjectName("Label1");
    lbldisplay = new QLabel(Frame6);
    lbldisplay->setObjectName("lbldisplay");
    lbldisplay->setFrameShape(QFrame::StyledPanel);
    lbldisplay->setFrameShadow(QFrame::Sunken);
    lbldisplay->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbldisplay->setMinimumWidth(fontMetrics().horizontalAdvance("0000") + 8);
    auto* countRow = new QHBoxLayout;
    countRow->addStretch(1);
    countRow->addWidget(Label1);
    countRow->addWidget(lbldisplay);
    listLayout->addLayout(countRow, 1, 0, 1, 2);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Frame10);
    layout->addWidget(Frame6, 1);

    connect(txtname, &QLineEdit::textChanged, this, &RosterEditorWindow::nameChanged);
    // Enter in the name box adds the name, as the default button would.
    connect(txtname, &QLineEdit::returnPressed, this, [this] {
        if (cmdadd->isEnabled())
            cmdadd->click();
    });
    connect(cmdadd, &QPushButton::clicked, this, &RosterEditorWindow::addClicked);
    connect(Command3, &QPushButton::clicked, this, &RosterEditorWindow::removeClicked);
    connect(cmdimport, &QPushButton::clicked, this, &RosterEditorWindow::importClicked);
    connect(cmdendenter, &QPushButton::clicked, this, &RosterEditorWindow::endOfFileClicked);

    setTabOrder(txtname, cmdadd);
    setTabOrder(cmdadd, Command3);
    setTabOrder(Command3, cmdimport);
    setTabOrder(cmdimport, cmdendenter);
    setTabOrder(cmdendenter, lstclient[1]);
    setTabOrder(lstclient[1], lstclient[0]);

    // A copied roster is the start of the list, not a change of its own.
    for (const std::string& name : names)
        addName(toQt(name));
    showCount();
    updateNameBox();

    // Opening: the step panel is shown for the class being made.
    shell_.setStepPanelVisible(true);
    state_.classDocument.addListener(this);
}

QListWidget* RosterEditorWindow::listInUse() const {
    return lstclient[sortedListIndex()];
}

std::vector<std::string> RosterEditorWindow::names() const {
    std::vector<std::string> result;
    QListWidget* list = listInUse();
    for (int row = 0; row < list->count(); ++row)
        result.push_back(list->item(row)->text().toStdString());
    return result;
}

void RosterEditorWindow::activate() {
    QListWidget* list = listInUse();
    for (QListWidget* member : lstclient)
        member->setVisible(member == list);
    list->setEnabled(true);
    updateNameBox();
    if (txtname->isEnabled())
        txtname->setFocus();
    else
        cmdendenter->setFocus();
    cmdendenter->setEnabled(true);
    Command3->setEnabled(false);
    list->clearSelection();

    // A new class has no weights and no grade columns yet.
    state_.classDocument.startNewRoster();

    shell_.setStepBold(Step::NameEntry, true);
    shell_.setStepEnabled(Step::NameEntry, true);
    shell_.setStepRaised(Step::NameEntry, true);
    shell_.setStepBold(Step::EditGrid, false);
    shell_.setStepRaised(Step::EditGrid, false);
    shell_.setStepEnabled(Step::GradeEntry, false);
    shell_.setStepEnabled(Step::GradeReport, false);
    // There is nothing to print until the roster is finished.
    shell_.setCommandEnabled(ShellCommand::Print, false);
    shellRestored_ = false;
}

void RosterEditorWindow::nameChanged(const QString& text) {
    bool any = !text.isEmpty();
    cmdadd->setEnabled(any);
    cmdadd->setDefault(any);
}

void RosterEditorWindow::addName(const QString& name) {
    QListWidget* list = listInUse();
    if (list == lstclient[1]) {
        std::vector<std::string> current = names();
        int row = static_cast<int>(sortedInsertPosition(current, name.toStdString()));
        list->insertItem(row, name);
    } else {
        list->addItem(name);
    }
}

bool RosterEditorWindow::addNames(const QStringList& names, const std::string& description) {
    int added = 0;
    for (const QString& given : names) {
        QString name = asTyped(given);
        if (name.isEmpty() || room() == 0)
            continue;
        addName(name);
        ++added;
    }
    if (added > 0) {
        showCount();
        storeNames(description);
    }
    updateNameBox();
    return added > 0;
}

void RosterEditorWindow::addClicked() {
    QString name = asTyped(txtname->text());
    addNames({name}, "name " + name.toStdString());
    txtname->clear();
    cmdadd->setEnabled(false);
    focusAfterAdding();
}

void RosterEditorWindow::importClicked() {
    std::optional<std::vector<std::string>> names = shell_.askNamesFile(room());
    if (names) {
        QStringList list;
        for (const std::string& name : *names)
            list << toQt(name);
        addNames(list, "imported names");
    }
    focusAfterAdding();
}

void RosterEditorWindow::pasteNames(const QString& text) {
    std::vector<std::string> lines = namesFromPastedText(text.toStdString());
    if (lines.size() <= 1) {
        if (!lines.empty())
            txtname->insert(toQt(lines.front()));
        return;
    }
    // As with a file of names: a list the roster cannot take whole is not
    // cut short where the teacher might not notice.
    if (static_cast<int>(lines.size()) > room()) {
        platform_.messages.show(
            QStringLiteral("The pasted text holds %1 names, but the list has room for %2 more.\n"
                           "A class holds at most 45 students.")
                .arg(lines.size())
                .arg(room()),
            "Paste names", MessageStyle::OkExclamation);
        return;
    }
    QStringList list;
    for (const std::string& name : lines)
        list << toQt(name);
    addNames(list, "pasted names");
    focusAfterAdding();
}

void RosterEditorWindow::focusAfterAdding() {
    if (txtname->isEnabled())
        txtname->setFocus();
    else
        cmdendenter->setFocus();
}

void RosterEditorWindow::removeClicked() {
    QListWidget* list = listInUse();
    MessageButton answer =
        platform_.messages.show("Do you wish to remove this student PERMANENTLY?",
                                "Student Removal", MessageStyle::OkCancelQuestion);
    if (answer == MessageButton::Ok) {
        QList<QListWidgetItem*> selected = list->selectedItems();
        if (selected.isEmpty()) {
            platform_.messages.beep();
        } else {
            QString removed = selected.first()->text();
            delete list->takeItem(list->row(selected.first()));
            showCount();
            storeNames("removal of " + removed.toStdString());
        }
    }
    list->clearSelection();
    Command3->setEnabled(false);
    updateNameBox();
    txtname->setFocus();
}

void RosterEditorWindow::endOfFileClicked() {
    QListWidget* list = listInUse();
    if (list->count() == 0) {
        txtname->setFocus();
        return;
    }
    shell_.setStepEnabled(Step::NameEntry, false);
    shell_.returnToEditGrid(Step::NameEntry);

    storeNames("roster");
    restoreShell();
    shell_.showGradeBook();
    // The editor goes with the frame the main window gave it, later, since
    // this runs inside one of its own buttons.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        frame->hide();
        frame->deleteLater();
    } else {
        close();
    }
}

void RosterEditorWindow::storeNames(const std::string& description) {
    ownEdit_ = true;
    ClassEdit edit = state_.classDocument.setRoster(names(), description);
    ownEdit_ = false;
    platform_.history.record(state_.classDocument, std::move(edit));
}

// Undoing a name takes it out of the list too.
void RosterEditorWindow::classChanged(const ClassChange& change) {
    if (change.reset || ownEdit_ || !state_.classDocument.isOpen())
        return;
    QListWidget* list = listInUse();
    list->clear();
    const ClassRecord& record = state_.classRecord();
    for (int s = 0; s < record.studentCount; ++s)
        list->addItem(toQt(record.studentNames[s]));
    showCount();
    updateNameBox();
}

RosterEditorWindow::~RosterEditorWindow() {
    state_.classDocument.removeListener(this);
}

int RosterEditorWindow::sortedListIndex() const {
    return state_.rosterSorted ? 1 : 0;
}

void RosterEditorWindow::showCount() {
    lbldisplay->setNum(listInUse()->count());
    setSpokenName(lbldisplay, "Count " + lbldisplay->text());
}

int RosterEditorWindow::room() const {
    return std::max(kMaxRosterStudents - listInUse()->count(), 0);
}

void RosterEditorWindow::updateNameBox() {
    txtname->setEnabled(room() > 0);
    cmdimport->setEnabled(room() > 0);
}

QWidget* RosterEditorWindow::workArea() const {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    return frame && frame->mdiArea() ? frame->mdiArea()->viewport() : nullptr;
}

QSize RosterEditorWindow::sizeHint() const {
    QSize wanted = QWidget::sizeHint();
    if (QWidget* area = workArea())
        wanted = wanted.boundedTo(area->size()).expandedTo(minimumSizeHint());
    return wanted;
}

void RosterEditorWindow::fitWorkArea() {
    QWidget* area = workArea();
    if (!area)
        return;
    QWidget* frame = parentWidget();
    QSize around = frame->size() - size();
    if (around.width() < 0 || around.height() < 0)
        return; // the frame has not laid the editor out yet
    QSize fitting =
        QWidget::sizeHint().boundedTo(area->size() - around).expandedTo(minimumSizeHint());
    if (frame->size() != fitting + around)
        frame->resize(fitting + around);
}

void RosterEditorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QWidget* area = workArea(); area && area != watchedArea_) {
        watchedArea_ = area;
        area->installEventFilter(this);
    }
    fitWorkArea();
}

bool RosterEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedArea_ && event->type() == QEvent::Resize)
        fitWorkArea();
    return QWidget::eventFilter(watched, event);
}

void RosterEditorWindow::restoreShell() {
    if (shellRestored_)
        return;
    shellRestored_ = true;
    shell_.setStepEnabled(Step::GradeEntry, true);
    shell_.setStepEnabled(Step::GradeReport, true);
    shell_.setCommandEnabled(ShellCommand::Print, true);
}

void RosterEditorWindow::closeEvent(QCloseEvent* event) {
    restoreShell();
    event->accept();
}

} // namespace tallyro
