// SPDX-License-Identifier: Apache-2.0
// What the preview needs of the printer's PPD, read once: each option's text, default and choices in
// PPD order (the Quick Color presets address choices by position), and the paper sizes.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace host::preview {

struct OptionChoices {
    std::string text;          // the option's text, translated as the PPD offers it
    std::string defaultChoice; // keyword
    std::vector<std::string> choices;
    std::vector<std::string> choiceTexts;

    int indexOf(const std::string& choice) const;
    // The keyword at index; empty outside the list.
    std::string at(int index) const;
};

struct PaperSize {
    double width = 0, height = 0; // points
};

class PrinterChoices {
public:
    // Reads the PPD at path; nullopt and the reason when libcups cannot open it.
    static std::optional<PrinterChoices> read(const std::string& ppdPath, std::string* error);

    // Null when the PPD has no such option.
    const OptionChoices* option(const std::string& keyword) const;
    // The size named by the job's options (PageSize, then media, when the PPD knows it), else the
    // PPD's default size; A4 when the PPD has none.
    PaperSize paper(const std::map<std::string, std::string>& jobOptions) const;

private:
    std::map<std::string, OptionChoices> options_;
    std::map<std::string, PaperSize> sizes_;
};

} // namespace host::preview
