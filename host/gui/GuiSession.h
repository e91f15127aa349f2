// SPDX-License-Identifier: Apache-2.0
// printdialog --gui: the Qt application, the mirror of the panel's widgets and the print window.
// Nothing here names a Qt type.
#pragma once

#include "host/Gui.h"

#include <memory>
#include <string>

namespace host {

class GuiSession final : public Gui {
public:
    // Nothing, and a one-line reason, when there is no display to show a window on.
    static std::unique_ptr<GuiSession> start(int& argc, char** argv, std::string* error);
    ~GuiSession() override;

    void attach(Dialog& dialog) override;
    void detach() override;
    int runForPerson(const Options& options, const ProgramFiles& files, JobSubmitter* document) override;

    ui::InputDriver& input() override;
    void panelViewShown(ui::View* view) override;
    bool screenshot(const std::string& path, std::string* error) override;
    void panesChanged() override;
    bool deliverPaneChoice(const std::string& name, const std::string& value) override;
    bool showsPreview() const override;
    std::optional<preview::PreviewAnswer> writePreview(const std::string& path, int sheet, std::string* error) override;
    void switchProof(bool on) override;

private:
    struct State;
    void refreshSummary();
    explicit GuiSession(std::unique_ptr<State> state);
    // The dialog's own panes and presets beside the panel.
    void showPanes();
    // The preview beside them, when the job has documents; drawn anew when what it shows changed.
    void showPreview();
    void refreshPreview();
    // Lists the queue's presets: the one in use now, the others once the server has told them.
    void listPresets();
    void showFetchedPresets();
    void warn(const std::string& text);
    std::unique_ptr<State> s_;
};

} // namespace host
