// SPDX-License-Identifier: Apache-2.0
// The window's side of the dialog: showing the panel, its summary, and printing from it.
#include "host/gui/GuiSession.h"

#include "host/CupsPassword.h"
#include "host/Dialog.h"
#include "host/Inspector.h"
#include "host/Presets.h"
#include "host/PreviewOfJob.h"
#include "host/Translate.h"
#include "host/gui/PaneForms.h"
#include "host/gui/PaneInput.h"
#include "host/gui/PasswordDialog.h"
#include "host/gui/PersonRun.h"
#include "host/gui/PresetChooser.h"
#include "host/gui/PreviewPane.h"
#include "host/gui/PrintWindow.h"
#include "host/preview/PngFile.h"
#include "services/Progress.h"
#include "ui/qt/Mirror.h"
#include "ui/qt/QtInputDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <system_error>

namespace host {

struct GuiSession::State {
    std::string runtimeDir; // made for Qt when the session has none; removed at exit
    std::unique_ptr<QApplication> app;
    std::unique_ptr<QTranslator> translator;
    std::unique_ptr<ui::qt::Mirror> mirror;
    std::unique_ptr<ui::qt::QtInputDriver> driver;
    std::unique_ptr<PrintWindow> window;
    std::unique_ptr<PaneForms> forms;
    PresetChooser* presets = nullptr; // the window's
    PreviewPane* preview = nullptr;   // the window's, while the dialog has documents
    // The queue's presets, asked of the server off the window's thread, and the queue they are of.
    std::future<std::vector<std::string>> presetFetch;
    std::string presetQueue;
    QTimer presetPoll;
    Dialog* dialog = nullptr;
    bool viewShown = false;
};

namespace {

// Qt's notes on the platform (offscreen limits, runtime folders) are no business of the dialog's
// output; set PRINTDIALOG_QT_MESSAGES to see them.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    static const bool shown = std::getenv("PRINTDIALOG_QT_MESSAGES") != nullptr;
    if (!shown && type != QtCriticalMsg && type != QtFatalMsg) return;
    fprintf(stderr, "%s\n", qPrintable(message));
}

bool hasDisplay()
{
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const std::string wanted = platform ? platform : "";
    if (wanted.rfind("offscreen", 0) == 0 || wanted.rfind("minimal", 0) == 0) return true;
    if (wanted.rfind("wayland", 0) == 0) return set("WAYLAND_DISPLAY");
    if (wanted.rfind("xcb", 0) == 0) return set("DISPLAY");
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// The summary's lines in display order, each value as text.
std::vector<std::pair<std::string, std::string>> summaryRows(const cf::DictionaryRef& summary)
{
    nlohmann::json json = summaryToJson(summary);
    std::vector<std::pair<std::string, std::string>> rows;
    if (!json.contains("order") || !json["order"].is_array()) return rows;
    for (const auto& title : json["order"]) {
        if (!title.is_string()) continue;
        const nlohmann::json& value = json["values"].value(title.get<std::string>(), nlohmann::json());
        rows.emplace_back(title.get<std::string>(), value.is_string() ? value.get<std::string>() : value.dump());
    }
    return rows;
}

// Lets the window run until the preview shows what it was last asked for; false and why when that
// takes longer than every helper program may.
bool settle(const PreviewPane& pane, std::string* error)
{
    QElapsedTimer clock;
    clock.start();
    while (pane.busy() && clock.elapsed() < 30000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(pane.busy() ? 5 : 0);
    }
    if (pane.busy() && error) *error = tr("the preview did not finish drawing in time");
    return !pane.busy();
}

} // namespace

GuiSession::GuiSession(std::unique_ptr<State> state) : s_(std::move(state)) { }

GuiSession::~GuiSession()
{
    detach();
    s_->window.reset();
    s_->driver.reset();
    s_->mirror.reset();
    svc::Progress::setSink({});
    s_->translator.reset();
    s_->app.reset();
    if (!s_->runtimeDir.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(s_->runtimeDir, ignored);
    }
}

std::unique_ptr<GuiSession> GuiSession::start(int& argc, char** argv, std::string* error)
{
    if (!hasDisplay()) {
        if (error) *error = "no display for --gui: set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen";
        return nullptr;
    }
    qInstallMessageHandler(quietQt);
    auto state = std::make_unique<State>();
    // Without a login session Qt would leave a runtime folder behind in the temporary folder.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/printdialog-XXXXXX";
        if (::mkdtemp(pattern.data())) {
            state->runtimeDir = pattern;
            ::setenv("XDG_RUNTIME_DIR", pattern.c_str(), 1);
        }
    }
    state->app = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName("printdialog");
    QApplication::setDesktopFileName("printdialog");
    // Qt's own words (standard buttons, its print dialog's) in the person's language.
    state->translator = std::make_unique<QTranslator>();
    if (state->translator->load(QLocale(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(state->translator.get());
    state->mirror = std::make_unique<ui::qt::Mirror>();
    state->driver = std::make_unique<ui::qt::QtInputDriver>(*state->mirror);
    state->window = std::make_unique<PrintWindow>();
    state->presets = new PresetChooser;
    state->presetPoll.setInterval(30);
    state->window->setPresets(state->presets);
    state->mirror->setMainWindow(state->window.get());
    state->mirror->setReservedMnemonics(PrintWindow::kMnemonics);
    // The walk of the printer's table holds the window still: a busy cursor says so.
    svc::Progress::setSink({[](const std::string&) {
                                QApplication::setOverrideCursor(Qt::WaitCursor);
                                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                            },
        [] { QApplication::restoreOverrideCursor(); }});
    auto session = std::unique_ptr<GuiSession>(new GuiSession(std::move(state)));
    QObject::connect(&session->s_->presetPoll, &QTimer::timeout, [raw = session.get()] { raw->showFetchedPresets(); });
    return session;
}

void GuiSession::attach(Dialog& dialog)
{
    s_->dialog = &dialog;
    s_->viewShown = false;
    PrintWindow& window = *s_->window;
    PrinterEntry shown;
    shown.title = dialog.printer().printer ? dialog.printer().printer->id() : std::string("-");
    window.setPrinters({shown}, 0);
    s_->mirror->setChangeListener([this] {
        refreshSummary();
        refreshPreview();
    });
    window.show();
    s_->mirror->flush();
}

void GuiSession::detach()
{
    if (!s_->dialog) return;
    s_->mirror->setChangeListener({});
    s_->window->onPaneChosen = nullptr;
    // Before the dialog goes: the preview's thread draws with the dialog's engine.
    s_->window->setPreview(nullptr);
    s_->preview = nullptr;
    s_->window->setPanes({}, nullptr, {});
    s_->forms.reset();
    s_->window->showPanel("", nullptr);
    s_->mirror->clear();
    s_->dialog = nullptr;
    s_->viewShown = false;
}

ui::InputDriver& GuiSession::input()
{
    return *s_->driver;
}

void GuiSession::panelViewShown(ui::View* view)
{
    if (!s_->dialog) return;
    s_->viewShown = true;
    QWidget* widget = view ? s_->mirror->widgetFor(*view) : nullptr;
    s_->window->showPanel(s_->dialog->panel().panelName(), widget);
    showPanes();
    showPreview();
    // What the panel holds now (a restored ticket, say) shows at once, not after the first change.
    refreshSummary();
    s_->mirror->flush();
}

void GuiSession::showPanes()
{
    Dialog& dialog = *s_->dialog;
    s_->forms = std::make_unique<PaneForms>(dialog);
    PaneForms* forms = s_->forms.get();
    s_->window->setPanes(
        forms->paneNames(), [forms](const std::string& pane) { return forms->page(pane); }, dialog.shownPane());
    s_->window->onPaneChosen = [this](const std::string& pane) {
        if (s_->dialog) s_->dialog->showPane(pane);
    };
    forms->setChanged([this] { refreshPreview(); });
    listPresets();
    s_->presets->onSave = [this](const std::string& name) {
        std::string reason;
        if (!s_->dialog) return;
        if (!savePreset(*s_->dialog, name, s_->dialog->limitSeconds(), &reason)) return warn(reason);
        listPresets();
    };
    s_->presets->onMakeDefault = [this] {
        std::string reason;
        if (s_->dialog && !saveQueueDefaults(*s_->dialog, s_->dialog->limitSeconds(), &reason)) warn(reason);
    };
}

void GuiSession::listPresets()
{
    const PrinterChoice& printer = s_->dialog->printer();
    const std::string queue = printer.queueName;
    // The one in use at once; the queue's other presets when the server has answered, so that a slow
    // server never holds the window.
    std::vector<std::string> known;
    if (!printer.instance.empty()) known.push_back(printer.instance);
    s_->presets->setPresets(known, printer.instance, !queue.empty());
    if (queue.empty()) return;
    s_->presetQueue = queue;
    s_->presetFetch = std::async(
        std::launch::async, [queue, limit = s_->dialog->limitSeconds()] { return presetNames(queue, limit); });
    s_->presetPoll.start();
}

void GuiSession::showFetchedPresets()
{
    using namespace std::chrono_literals;
    if (!s_->presetFetch.valid() || s_->presetFetch.wait_for(0ms) != std::future_status::ready) return;
    s_->presetPoll.stop();
    std::vector<std::string> names = s_->presetFetch.get();
    if (!s_->dialog || s_->dialog->printer().queueName != s_->presetQueue) return;
    s_->presets->setPresets(names, s_->dialog->printer().instance, true);
}

bool GuiSession::deliverPaneChoice(const std::string& name, const std::string& value)
{
    if (!s_->dialog || !s_->forms) return false;
    std::string wanted = value;
    const PaneOption* option = s_->dialog->panes().resolve(name, wanted);
    if (!option) return false;
    // The pane is shown for the input, as a person would show it, and the one the dialog shows again
    // after it: a script's output does not depend on the window.
    s_->window->showPane(option->pane);
    QWidget* page = s_->forms->page(option->pane);
    auto* field = page ? page->findChild<QWidget*>(QString::fromStdString("pane_" + option->name)) : nullptr;
    const bool taken = field && PaneInput::deliver(*field, *option, wanted);
    s_->window->showPane(s_->dialog->shownPane());
    return taken;
}

void GuiSession::panesChanged()
{
    if (!s_->dialog || !s_->forms) return;
    s_->forms->sync();
    s_->window->showPane(s_->dialog->shownPane());
    refreshPreview();
}

void GuiSession::showPreview()
{
    preview::PreviewSession& session = s_->dialog->preview();
    s_->window->setPreview(nullptr);
    s_->preview = nullptr;
    if (!session.hasDocuments()) return;
    auto* pane = new PreviewPane([&session](std::string* error) { return session.engine(error); });
    pane->setProof(session.proof());
    pane->onProof = [&session](bool on) { session.setProof(on); };
    s_->preview = pane;
    s_->window->setPreview(pane);
    refreshPreview();
}

void GuiSession::refreshPreview()
{
    if (s_->dialog && s_->preview && s_->viewShown) s_->preview->setJob(previewOfJob(*s_->dialog));
}

bool GuiSession::showsPreview() const
{
    return s_->preview != nullptr;
}

std::optional<preview::PreviewAnswer> GuiSession::writePreview(const std::string& path, int sheet, std::string* error)
{
    PreviewPane& pane = *s_->preview;
    refreshPreview();
    if (!settle(pane, error)) return std::nullopt;
    if (sheet > std::max(1, pane.sheets())) {
        if (error) *error = preview::PreviewSession::noSuchSheet(sheet, pane.sheets());
        return std::nullopt;
    }
    if (sheet != pane.sheet()) {
        pane.showSheet(sheet);
        if (!settle(pane, error)) return std::nullopt;
    }
    if (!preview::PngFile::write(pane.raster(), path, error)) return std::nullopt;
    return preview::PreviewAnswer{
        path, pane.sheets() > 0 ? pane.sheet() : 0, pane.sheets(), pane.proof(), pane.notes()};
}

void GuiSession::switchProof(bool on)
{
    auto* box = s_->preview ? s_->preview->findChild<QCheckBox*>("previewProof") : nullptr;
    if (!box || box->isChecked() == on) return;
    // On the box itself, as a person clicks it.
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    QTest::mouseClick(
        box, Qt::LeftButton, {}, box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, box).center());
}

void GuiSession::warn(const std::string& text)
{
    QMessageBox::warning(s_->window.get(), QString::fromStdString(tr("Print")), QString::fromStdString(text));
}

void GuiSession::refreshSummary()
{
    if (!s_->dialog || !s_->viewShown) return;
    s_->window->showSummary(summaryRows(s_->dialog->panel().summaryInfo()));
}

bool GuiSession::screenshot(const std::string& path, std::string* error)
{
    // Twice: a summary that grew asks for a new layout of the window.
    s_->mirror->flush();
    s_->mirror->flush();
    QWidget* shown = s_->mirror->modalOnTop();
    if (!shown) shown = s_->window.get();
    // zlib's fastest level: a third less time than the default for a window's flat colours, and no
    // larger a file.
    constexpr int kFastPngQuality = 80;
    if (shown->grab().save(QString::fromStdString(path), "PNG", kFastPngQuality)) return true;
    if (error) *error = "cannot write the screenshot " + path;
    return false;
}

int GuiSession::runForPerson(const Options& options, const ProgramFiles& files, JobSubmitter* document)
{
    // A queue that needs a password asks the person in a dialog, and no one once the window is gone.
    CupsPassword::setAsk([this](const std::string& user, const std::string& server) {
        return askPassword(s_->window.get(), user, server);
    });
    struct NoOneAsked {
        ~NoOneAsked() { CupsPassword::setAsk({}); }
    } noOneAsked;
    PersonRun run(*s_->window, *s_->mirror, options, files, document);
    s_->presets->onPreset = [&run](const std::string& instance) { run.choosePreset(instance); };
    run.setPending([this] { return s_->forms ? s_->forms->refusal() : std::string(); });
    run.setHooks([this](Dialog* dialog, ui::View* view) {
        if (!dialog) return detach();
        attach(*dialog);
        panelViewShown(view);
    });
    const int status = run.exec();
    s_->presets->onPreset = nullptr;
    return status;
}

} // namespace host
