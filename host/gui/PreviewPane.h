// SPDX-License-Identifier: Apache-2.0
// The preview beside the dialog's panes: the sheet as it will print (or the plain layout), "Sheet N of
// M" with buttons to the previous and next sheet, the soft-proof switch, a busy mark while a sheet is
// drawn off the window's thread, and the preview's notes.
#pragma once

#include "host/gui/PreviewWorker.h"
#include "host/preview/PreviewEngine.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QProgressBar;
class QToolButton;

namespace host {

class PreviewPane final : public QWidget {
public:
    // What the engine source gives must outlive the pane.
    explicit PreviewPane(PreviewWorker::EngineSource engine, QWidget* parent = nullptr);
    ~PreviewPane() override;

    // What to preview: the documents, the dialog's layout options and the panel's settings (the
    // job's own proof flag is replaced by the switch's). The sheet shown is drawn anew, unless the
    // job is the one shown. Before the pane is first painted the job is only got ready: the first
    // sheet is asked for once the window's first frame is done.
    void setJob(preview::PreviewJob job);
    void setProof(bool on);
    bool proof() const;
    // Shows sheet n (kept within the job's sheets once they are known).
    void showSheet(int n);

    int sheet() const { return sheet_; }
    int sheets() const { return sheets_; }
    // True from a change until the sheet it asks for is shown, and before the first is asked for.
    bool busy() const { return shown_ != asked_ || asked_ == 0; }
    const QImage& picture() const { return picture_; }
    const preview::Raster& raster() const { return raster_; }
    const std::vector<std::string>& notes() const { return notes_; }
    // The size, in pixels, the sheet is drawn to fit.
    preview::SheetBox box() const;
    // How many sheets were asked of the worker so far.
    int requests() const { return asked_; }

    // After each sheet shown (for scripts and tests).
    std::function<void()> onShown;
    // After a person switched the soft proof.
    std::function<void(bool on)> onProof;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ask();
    void firstAsk();
    void shown(preview::PreviewSheet sheet, int generation);
    void updateControls();

    QToolButton* previous_;
    QLabel* position_;
    QToolButton* next_;
    QCheckBox* proof_;
    QProgressBar* busyMark_;
    QLabel* image_;
    QLabel* notesLabel_;
    QTimer resized_;
    QTimer unpainted_;
    static constexpr int kUnpaintedWait = 300; // milliseconds
    preview::PreviewJob job_;
    preview::SheetBox askedBox_{0, 0};
    bool laidOut_ = false; // the sheet's area has been painted on screen once
    int sheet_ = 1;
    int sheets_ = 0;
    int asked_ = 0;
    int shown_ = 0;
    QImage picture_;
    preview::Raster raster_;
    std::vector<std::string> notes_;
    std::unique_ptr<PreviewWorker> worker_;
};

} // namespace host
