// SPDX-License-Identifier: Apache-2.0
// Every change asks the worker for the sheet at the image area's size in device pixels; the answer to
// the latest question is shown, earlier ones are dropped.
#include "host/gui/PreviewPane.h"

#include "host/Translate.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace host {
namespace {

QString tq(const char* msgid)
{
    return QString::fromStdString(tr(msgid));
}

QImage toImage(const preview::Raster& picture)
{
    if (picture.empty() || picture.channels != 3) return {};
    const QImage view(picture.pixels.data(), picture.width, picture.height, picture.width * 3, QImage::Format_RGB888);
    return view.copy();
}

// The sheet with a thin gray edge, so that white paper stands out from a light window.
QImage framed(const QImage& sheet)
{
    QImage copy = sheet;
    if (copy.isNull()) return copy;
    QPainter painter(&copy);
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(0, 0, copy.width() - 1, copy.height() - 1);
    return copy;
}

} // namespace

PreviewPane::PreviewPane(PreviewWorker::EngineSource engine, QWidget* parent)
    : QWidget(parent), previous_(new QToolButton), position_(new QLabel), next_(new QToolButton),
      proof_(new QCheckBox(tq("Soft proof"))), busyMark_(new QProgressBar), image_(new QLabel), notesLabel_(new QLabel)
{
    setObjectName("preview");
    previous_->setObjectName("previewPrevious");
    previous_->setArrowType(Qt::LeftArrow);
    previous_->setAccessibleName(tq("Previous sheet"));
    previous_->setToolTip(tq("Previous sheet"));
    next_->setObjectName("previewNext");
    next_->setArrowType(Qt::RightArrow);
    next_->setAccessibleName(tq("Next sheet"));
    next_->setToolTip(tq("Next sheet"));
    position_->setObjectName("previewPosition");
    position_->setAlignment(Qt::AlignCenter);
    proof_->setObjectName("previewProof");
    proof_->setChecked(true);
    busyMark_->setObjectName("previewBusy");
    busyMark_->setRange(0, 0);
    busyMark_->setMaximumHeight(6);
    busyMark_->setTextVisible(false);
    busyMark_->setAccessibleName(tq("Drawing the sheet"));
    // Its place stays when it hides, so the sheet's area keeps its size and is not drawn again.
    QSizePolicy keepPlace = busyMark_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    busyMark_->setSizePolicy(keepPlace);
    image_->setObjectName("previewSheet");
    image_->setAlignment(Qt::AlignCenter);
    // Wide enough for a landscape sheet of two pages to be read.
    image_->setMinimumSize(280, 240);
    image_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    notesLabel_->setObjectName("previewNotes");
    notesLabel_->setWordWrap(true);
    notesLabel_->setTextFormat(Qt::PlainText);
    notesLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for a few lines, scrolled beyond: notes that come and go must not change the sheet's
    // area, which would draw the sheet again at another size.
    auto* notes = new QScrollArea;
    notes->setWidget(notesLabel_);
    notes->setWidgetResizable(true);
    notes->setFrameShape(QFrame::NoFrame);
    notes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    notes->setFixedHeight(4 * notesLabel_->fontMetrics().lineSpacing() + 2);

    auto* navigation = new QHBoxLayout;
    navigation->addWidget(previous_);
    navigation->addWidget(position_, 1);
    navigation->addWidget(next_);
    // The sheet first, then where it is in the job and how it is shown, as under a printed page.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(image_, 1);
    layout->addWidget(busyMark_);
    layout->addLayout(navigation);
    layout->addWidget(proof_, 0, Qt::AlignHCenter);
    layout->addWidget(notes);

    connect(previous_, &QToolButton::clicked, this, [this] { showSheet(sheet_ - 1); });
    connect(next_, &QToolButton::clicked, this, [this] { showSheet(sheet_ + 1); });
    connect(proof_, &QCheckBox::toggled, this, [this](bool on) {
        ask();
        if (onProof) onProof(on);
    });
    resized_.setSingleShot(true);
    resized_.setInterval(120);
    connect(&resized_, &QTimer::timeout, this, [this] {
        const preview::SheetBox now = box();
        if (now.width != askedBox_.width || now.height != askedBox_.height) ask();
    });
    unpainted_.setSingleShot(true);
    unpainted_.setInterval(kUnpaintedWait);
    connect(&unpainted_, &QTimer::timeout, this, [this] { firstAsk(); });
    image_->installEventFilter(this);
    worker_ = std::make_unique<PreviewWorker>(std::move(engine), this,
        [this](preview::PreviewSheet sheet, int generation) { shown(std::move(sheet), generation); });
    updateControls();
}

PreviewPane::~PreviewPane()
{
    // The thread goes first: it may still be drawing for this pane.
    worker_.reset();
}

void PreviewPane::setJob(preview::PreviewJob job)
{
    // A pane shown, a summary refreshed or a choice that changes no sheet: nothing to draw.
    if (asked_ > 0 && job == job_) return;
    job_ = std::move(job);
    if (laidOut_) return ask();
    // Until the window is painted the documents are laid out and Ghostscript started meanwhile.
    preview::PreviewJob ahead = job_;
    ahead.proof = proof_->isChecked();
    worker_->prepare(std::move(ahead));
}

void PreviewPane::setProof(bool on)
{
    proof_->setChecked(on);
}

bool PreviewPane::proof() const
{
    return proof_->isChecked();
}

void PreviewPane::showSheet(int n)
{
    sheet_ = sheets_ > 0 ? std::clamp(n, 1, sheets_) : std::max(1, n);
    ask();
}

preview::SheetBox PreviewPane::box() const
{
    const double scale = devicePixelRatioF();
    return {std::max(16, static_cast<int>(image_->width() * scale)),
        std::max(16, static_cast<int>(image_->height() * scale))};
}

void PreviewPane::ask()
{
    // Not before the pane has its size: a sheet drawn for a provisional one would be drawn again.
    if (!laidOut_) return;
    preview::PreviewJob job = job_;
    job.proof = proof_->isChecked();
    askedBox_ = box();
    asked_ = worker_->request(std::move(job), sheet_, askedBox_);
    updateControls();
}

void PreviewPane::shown(preview::PreviewSheet sheet, int generation)
{
    if (generation != asked_) return;
    shown_ = generation;
    sheets_ = sheet.sheets;
    if (sheet.sheet > 0) sheet_ = sheet.sheet;
    picture_ = toImage(sheet.picture);
    raster_ = std::move(sheet.picture);
    QPixmap pixmap = QPixmap::fromImage(framed(picture_));
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    image_->setPixmap(pixmap);
    notes_ = std::move(sheet.notes);
    QStringList lines;
    for (const std::string& note : notes_) lines << QString::fromStdString(note);
    notesLabel_->setText(lines.join('\n'));
    updateControls();
    if (onShown) onShown();
}

void PreviewPane::updateControls()
{
    position_->setText(sheets_ > 0
            ? QString::fromStdString(trf("Sheet {1} of {2}", {std::to_string(sheet_), std::to_string(sheets_)}))
            : tq("No sheet"));
    previous_->setEnabled(sheets_ > 0 && sheet_ > 1);
    next_->setEnabled(sheet_ < sheets_);
    busyMark_->setVisible(busy());
}

void PreviewPane::firstAsk()
{
    if (laidOut_) return;
    laidOut_ = true;
    // Queued: the window's first frame is finished and on screen before the sheet is asked for.
    QTimer::singleShot(0, this, [this] { ask(); });
}

bool PreviewPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != image_) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
        firstAsk();
        break;
    case QEvent::Show:
        // A window that gets no paint (never exposed) still shows its sheet, a little later.
        if (!laidOut_) unpainted_.start();
        break;
    case QEvent::Resize:
        if (laidOut_) resized_.start();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace host
