// SPDX-License-Identifier: Apache-2.0
// The texts of --help and of a usage error.
#include "host/Options.h"

#include "host/Translate.h"

namespace host {

std::string usageText()
{
    return tr("usage: printdialog [PRINTER] [--ticket FILE] [--script FILE|-] [--json] [--print FILE|-] [--gui]\n"
              "                   [--bundle DIR] [-n COPIES] [-P PAGES] [-t TITLE] [-H WHEN] [-q PRIORITY]\n"
              "                   [-o NAME[=VALUE]]... [--timeout SECONDS] [--help] [--version] [FILE|-]...\n"
              "PRINTER: --queue|-d NAME[/INSTANCE] | [--ppd FILE] [--printer-id ID] [--device-uri URI] | "
              "--no-printer\n");
}

std::string helpText()
{
    return usageText() + tr(R"(
Shows the "Color Options" panel of the TESSALUMA zq4410 in a whole print dialog (Copies & Pages,
Layout, Paper Handling, Printer Features, Job, presets), lets a script (or a person, with --gui) use
it, keeps the job's settings in a ticket file and prints through CUPS. Takes lp's options.

The printer:
  --queue NAME, -d NAME a CUPS destination: its PPD, defaults, lpoptions and device URI come from
                        the CUPS server (CUPS_SERVER, as for lp); QUEUE/INSTANCE names a preset
  --ppd FILE            a virtual printer with this PPD (default: the sample zq4410 PPD)
  --printer-id ID       the virtual printer's ID (default zq4410_virtual)
  --device-uri URI      the virtual printer's connection (default usb://TESSALUMA/zq4410)
  --no-printer          a session without a current printer

Options:
  --ticket FILE         read the settings from FILE (an XML property list); write them back on success,
                        keeping what other dialogs saved meanwhile; without it
                        $XDG_CONFIG_HOME/printdialog-settings.plist (~/.config/...) is read,
                        and the window's Print writes it
  --script FILE|-       run the dialog script in FILE (-: standard input); without it the host runs
                        panelView, restore, summary, dump
  --json                every answer is one JSON object on one line
  --print FILE|-        after the script, save, shouldPrint and submit FILE to the queue (--queue only)
  -o NAME=VALUE, -o NAME
                        after restore, choose this choice as the user would: in the panel for its
                        keys, else in the dialog's panes (copies, sides, media, any PPD option...);
                        as lp -o (-o NAME means NAME=True, -o noNAME means NAME=False); repeatable
  -n COPIES, -P PAGES, -t TITLE, -H WHEN, -q PRIORITY
                        as lp: copies (1-9999), page-ranges (1-3,7), job-name, job-hold-until
                        (now, indefinite, HH:MM UTC, night, ...), job-priority (1-100)
  FILE|-                the job's documents, one job as lp makes; on the sample printer the settings
                        are written instead and the program says where
  --timeout SECONDS     limit for each request to the CUPS server (default 10)
  --gui                 show the dialog in a window
  --bundle DIR          the plug-in bundle to load (default: the one installed with the program)
  --help, --version     print this text or the version, and exit

Script commands (one a line; # starts a comment):
  panelView, panelName, panelKind, supportedPPDOptionKeys, willShow, shouldHide, save, restore,
  summary, shouldPrint, terminate
                        the dialog's calls to the panel
  PPDOptionKeyValueDidChange KEY CHOICE
                        another pane changed a PPD option
  select ID INDEX       pick item INDEX of a pop-up        select menu_QuickColor 2
  check ID on|off       click a check box                  check check_EconomyPrint on
  click ID              press a button                     click button_AdvanceColorOptions
  tab ID INDEX          show a tab page                    tab tab_SwitchVew 1
  type ID TEXT          type TEXT into a text field        type _profileNameEdit Office
  paste ID TEXT         paste TEXT into a text field       paste _fileNameEdit A.ICC
  clear ID              delete a text field's text         clear _fileNameEdit
  row ID INDEX|none     click a table row                  row _profileTableView 0
  tick ID ROW           click a row's tick box             tick _profileTableView 0
  answer-open PATH|cancel
                        how the next open panel is answered
  dump                  print the state of the panel and of the dialog's panes
  screenshot PATH       with --gui: write the window as a PNG
  set NAME VALUE        choose in the dialog's panes     set copies 2
  pane NAME             show a pane                      pane Layout
  jobOptions            print the options Print would send now
  preset-save NAME      save the settings as the preset QUEUE/NAME (an lpoptions instance)
  preset-default        make the settings the queue's lpoptions defaults
  preview PATH [SHEET]  write sheet SHEET (default 1) of the preview as a PNG;
                        without a document: exit 2
  proof on|off          soft proof of the colour settings, or the plain layout

Examples:
  printdialog --gui -d zq4410 -n 2 -P 1-3 -o sides=two-sided-long-edge report.pdf
  printdialog --queue zq4410 -o TLQuickColor=Photo --print report.pdf --script - <<'END'
  panelView
  restore
  check check_EconomyPrint on
  save
  END

Exit status: 0 success; 1 the bundle, PPD, printer, server, a document, a value or the job failed;
2 a usage or script error.
See printdialog(1) and docs/script.md.
)");
}

} // namespace host
