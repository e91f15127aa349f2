// printdialog --gui: the Qt application, the mirror of the panel's widgets and the print window.
// Nothing here names a Qt type, so main.cpp stays free of Qt.
#pragma once

#include "host/Options.h"
#include "host/ProgramFiles.h"
#include "host/ScriptHooks.h"

#include <memory>
#include <string>

namespace host {

class Dialog;
class JobSubmitter;

class GuiSession final : public ScriptHooks {
public:
    // Nothing, and a one-line reason, when there is no display to show a window on.
    static std::unique_ptr<GuiSession> start(int& argc, char** argv, std::string* error);
    ~GuiSession() override;

    // A script drives the dialog: the window shows it while the script runs.
    void attach(Dialog& dialog);
    // Before the dialog goes: the window lets go of the panel's widgets.
    void detach();
    // A person uses the window until Print or Cancel; the exit status.
    int runForPerson(const Options& options, const ProgramFiles& files, JobSubmitter* document);

    ui::InputDriver& input() override;
    void panelViewShown(ui::View* view) override;
    bool screenshot(const std::string& path, std::string* error) override;

private:
    struct State;
    explicit GuiSession(std::unique_ptr<State> state);
    std::unique_ptr<State> s_;
};

} // namespace host
