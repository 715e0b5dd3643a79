#pragma once

#include "ui/platform/shell.h"

#include <QIcon>
#include <QLabel>
#include <QWidget>

#include <array>

namespace tallyro {

// One picture of the step panel: a tab whose top shows above the panel's
// lower edge. Raised pictures stand at the top, resting ones a little lower.
class StepPicture : public QWidget {
    Q_OBJECT
public:
    StepPicture(const QString& objectName, const QString& iconName, QWidget* parent);

    void setRaised(bool raised);
    bool isRaised() const { return raised_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QIcon icon_;
    bool raised_ = false;
};

// The caption of a step: a border while the mouse button is held on it.
class StepCaption : public QLabel {
    Q_OBJECT
public:
    StepCaption(const QString& objectName, const QString& text, QWidget* parent);

signals:
    void pressed();
    void released();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// `Picture4`: the step panel under the top bar, shown while a class is open.
// Six pictures in a row (Image16..Image21) with the captions of the four steps
// over the first four. The panel shows what a press and a release look like;
// what a click does is the main window's business.
class StepPanel : public QWidget {
    Q_OBJECT
public:
    explicit StepPanel(QWidget* parent = nullptr);

    void setBold(Step step, bool bold);
    bool isBold(Step step) const;
    void setRaised(Step step, bool raised);
    bool isRaised(Step step) const;
    void setStepEnabled(Step step, bool enabled);
    bool isStepEnabled(Step step) const;

    // A press, a release and a click of the step's caption, as the mouse does.
    void press(Step step);
    void release(Step step);
    void click(Step step);

    StepCaption* caption(Step step) const { return captions_[index(step)]; }
    StepPicture* picture(Step step) const { return pictures_[index(step)]; }

    StepPicture* Image16;
    StepPicture* Image17;
    StepPicture* Image18;
    StepPicture* Image19;
    StepPicture* Image20;
    StepPicture* Image21;
    StepCaption* Label8;
    StepCaption* Label9;
    StepCaption* Label10;
    StepCaption* Label2;

signals:
    void stepClicked(Step step);
    void statisticsClicked();
    void databaseClicked();

private:
    static int index(Step step) { return static_cast<int>(step); }
    void setBordered(Step step, bool bordered);

    std::array<StepPicture*, 4> pictures_{};
    std::array<StepCaption*, 4> captions_{};
};

} // namespace tallyro
