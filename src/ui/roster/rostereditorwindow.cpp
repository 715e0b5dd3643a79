#include "ui/roster/rostereditorwindow.h"

#include "core/roster/roster.h"
#include "ui/roster/studentnamevalidator.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallyro {

namespace {

QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

RosterEditorWindow::RosterEditorWindow(AppState& state, Platform& platform, Shell& shell,
                                       const std::vector<std::string>& names, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform), shell_(shell) {
    setObjectName("listform");
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);

    Frame10 = new QGroupBox("Student Name", this);
    Frame10->setObjectName("Frame10");
    txtname = new QLineEdit(Frame10);
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
    nameLayout->addWidget(cmdendenter);
    nameLayout->addStretch(1);

    QString listCaption = state_.rosterSorted ? "Student List (sorted)" : "Student List (unsorted)";
    Frame6 = new QGroupBox(listCaption, this);
    Frame6->setObjectName("Frame6");
    // Two lists in one place: member 0 keeps the order of entry, member 1 the
    // alphabetical order; only the one in use is shown.
    auto* listLayout = new QGridLayout(Frame6);
    for (int i = 0; i < 2; ++i) {
        lstclient[i] = new QListWidget(Frame6);
        lstclient[i]->setObjectName(QString("lstclient%1").arg(i));
        lstclient[i]->setAccessibleName(listCaption);
        lstclient[i]->setSelectionMode(QAbstractItemView::SingleSelection);
        lstclient[i]->setMinimumSize(fontMetrics().horizontalAdvance(QString(30, u'n')),
                                     fontMetrics().height() * 16);
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
    lbldisplay->setAccessibleName("Count");
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
    connect(cmdendenter, &QPushButton::clicked, this, &RosterEditorWindow::endOfFileClicked);

    setTabOrder(txtname, cmdadd);
    setTabOrder(cmdadd, Command3);
    setTabOrder(Command3, cmdendenter);
    setTabOrder(cmdendenter, lstclient[1]);
    setTabOrder(lstclient[1], lstclient[0]);

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

void RosterEditorWindow::addClicked() {
    QString name = txtname->text().trimmed();
    if (!name.isEmpty() && listInUse()->count() < kMaxRosterStudents) {
        addName(name);
        showCount();
        storeNames("name " + name.toStdString());
    }
    txtname->clear();
    txtname->setFocus();
    cmdadd->setEnabled(false);
    updateNameBox();
    if (!txtname->isEnabled())
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
}

void RosterEditorWindow::updateNameBox() {
    txtname->setEnabled(listInUse()->count() < kMaxRosterStudents);
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
