// SPDX-License-Identifier: Apache-2.0
// The dialog's own panes on a CUPS queue, end to end: what a job carries (read back with ipptool),
// presets that lpoptions and lp see, and the PPD's constraints kept out of every job.
#include "../host/HostRun.h"
#include "CupsServer.h"

#include "support/HomeSandbox.h"
#include "support/Process.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using cupstest::CupsServer;
using hostrun::printdialog;

constexpr const char* kQueue = "zq";

void writeText(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::trunc) << text;
}

// Four A4 pages, "Page N" on page N: PostScript, or made into PDF by Ghostscript.
std::string fourPages(const std::string& folder, bool pdf)
{
    const std::string ps = folder + "/pages.ps";
    writeText(ps,
        "%!PS\n/Helvetica findfont 40 scalefont setfont\n"
        "1 1 4 { << /PageSize [595 842] >> setpagedevice 100 400 moveto (Page ) show 1 string cvs show showpage } "
        "for\n");
    if (!pdf) return ps;
    const std::string out = folder + "/pages.pdf";
    auto made = testproc::run(
        {"/usr/bin/gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pdfwrite", "-sOutputFile=" + out, ps});
    EXPECT_EQ(0, made.status) << made.err;
    return out;
}

// The words of a PDF's pages, one line each page ("Page 2|Page 3|").
std::string pageTexts(const std::string& pdf)
{
    auto text = testproc::run({"/usr/bin/pdftotext", "-layout", pdf, "-"});
    std::string pages;
    for (char c : text.out)
        if (c == '\f')
            pages += '|';
        else if (c != '\n' && !(c == ' ' && (pages.empty() || pages.back() == ' ' || pages.back() == '|')))
            pages += c;
    return pages;
}

class DialogJobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        homesandbox::reset();
        work_ = homesandbox::home() + "/work";
        document_ = work_ + "/report.txt";
        writeText(document_, "A report for the zq4410.\n");
        std::string why;
        ASSERT_TRUE(server_.start(&why)) << why;
        ASSERT_TRUE(server_.addQueue(kQueue, "usb://TESSALUMA/zq4410", testpaths::ppd("zq4410.ppd"), &why)) << why;
        // A queue set up for US paper, so that A4 is a choice the job has to carry.
        ASSERT_TRUE(server_.changeQueue(kQueue, {"-o", "PageSize-default=Letter"}, &why)) << why;
    }

    // Runs ipptool's Get-Job-Attributes on the job with one EXPECT line per expectation; the report
    // when one fails, empty when every one holds.
    std::string ipptoolFails(int job, const std::vector<std::string>& expectations) const
    {
        std::string test = "{\n NAME \"job attributes\"\n OPERATION Get-Job-Attributes\n"
                           " GROUP operation-attributes-tag\n ATTR charset attributes-charset utf-8\n"
                           " ATTR naturalLanguage attributes-natural-language en\n ATTR uri job-uri $uri\n"
                           " ATTR name requesting-user-name root\n";
        // Asked by name: ipptool refuses the keyword "22:30" that cupsd hands back for job-hold-until.
        std::string names;
        for (const std::string& line : expectations)
            names += (names.empty() ? "" : ",") + line.substr(0, line.find(' '));
        test += " ATTR keyword requested-attributes " + names + "\n STATUS successful-ok\n";
        for (const std::string& line : expectations) test += " EXPECT " + line + "\n";
        const std::string path = work_ + "/job.test";
        writeText(path, test + "}\n");
        auto result = testproc::run(
            {"/usr/bin/ipptool", "-t", "ipp://" + server_.address() + "/jobs/" + std::to_string(job), path}, "", {},
            30);
        return result.status == 0 ? std::string()
                                  : "ipptool exited " + std::to_string(result.status) + "\n" + result.out + result.err;
    }

    std::map<std::string, std::string> attributesOf(const hostrun::Run& run)
    {
        std::string why;
        auto job = run.last("job").is_number_integer() ? server_.jobAttributes(run.last("job").get<int>(), &why)
                                                       : std::nullopt;
        EXPECT_TRUE(job) << why << run.result.out << run.result.err;
        return job.value_or(std::map<std::string, std::string>());
    }

    CupsServer server_;
    std::string work_;
    std::string document_;
};

// Copies 2, pages 1-3, two-sided on the long edge, 2 per sheet, A4, held until 22:30, priority 80
// and Quick Color Photo, chosen in the panes by a script or given as lp takes them.
TEST_F(DialogJobTest, EveryChoiceArrivesAsAJobAttribute)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        const char* script;
    };
    const Case cases[] = {
        {"panes", {},
            "panelView\nrestore\nset copies 2\nset page-ranges 1-3\nset Duplex DuplexNoTumble\nset number-up 2\n"
            "set PageSize A4\nset job-hold-until 22:30\nset job-priority 80\nselect menu_QuickColor 1\n"},
        {"lp's letters",
            {"-n", "2", "-P", "1-3", "-o", "sides=two-sided-long-edge", "-o", "number-up=2", "-o", "media=A4", "-H",
                "22:30", "-q", "80", "-o", "TLQuickColor=Photo"},
            "panelView\nrestore\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> arguments = {"--queue", kQueue};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        arguments.push_back(document_);

        auto run = printdialog(arguments, c.script);

        ASSERT_EQ(0, run.result.status) << run.result.err;
        ASSERT_TRUE(run.last("job").is_number_integer()) << run.result.out;
        EXPECT_EQ("",
            ipptoolFails(run.last("job").get<int>(),
                {"copies OF-TYPE integer WITH-VALUE 2", "Duplex WITH-VALUE DuplexNoTumble",
                    "number-up OF-TYPE integer WITH-VALUE 2", "PageSize WITH-VALUE A4",
                    "job-priority OF-TYPE integer WITH-VALUE 80", "TLQuickColor WITH-VALUE Photo",
                    "job-state OF-TYPE enum WITH-VALUE 4", "job-state-reasons WITH-VALUE job-hold-until-specified"}));
        auto job = attributesOf(run);
        EXPECT_EQ(0u, job.count("page-ranges")) << "two to a sheet: the chosen pages go as the document";
        EXPECT_EQ("22:30", job["job-hold-until"]);
    }
}

TEST_F(DialogJobTest, ChoicesEqualToTheQueuesDefaultsStayOutOfTheJob)
{
    auto run = printdialog({"--queue", kQueue, "-H", "indefinite", document_},
        "panelView\nrestore\nset copies 1\nset PageSize Letter\nsave\njobOptions\n");

    ASSERT_EQ(0, run.result.status) << run.result.err;
    auto options = run.last("jobOptions");
    EXPECT_FALSE(options.contains("copies"));
    EXPECT_FALSE(options.contains("PageSize")) << run.result.out;
    EXPECT_EQ("indefinite", options["job-hold-until"]);
    EXPECT_EQ("Standard", options["TLQuickColor"]) << "the panel's settings from the ticket";
    auto job = attributesOf(run);
    EXPECT_EQ("Letter", job["PageSize"]) << "the queue's own default, applied by cupsd";
    EXPECT_TRUE(job.count("copies") == 0 || job["copies"] == "1") << job["copies"];
}

TEST_F(DialogJobTest, SeveralDocumentsMakeOneJob)
{
    const std::string second = work_ + "/appendix.txt";
    writeText(second, "An appendix.\n");

    auto run = printdialog(
        {"--queue", kQueue, "-H", "indefinite", "-t", "Quarterly report", document_, second}, "panelView\nrestore\n");

    ASSERT_EQ(0, run.result.status) << run.result.err;
    auto job = attributesOf(run);
    EXPECT_EQ("2", job["number-of-documents"]);
    EXPECT_EQ("Quarterly report", job["job-name"]);
    EXPECT_EQ(1, server_.jobCount(kQueue));
}

TEST_F(DialogJobTest, PresetRoundTripsThroughLpoptionsAndLp)
{
    auto saved = printdialog({"--queue", kQueue},
        "panelView\nrestore\nset copies 3\nset Duplex DuplexTumble\nselect menu_QuickColor 2\npreset-save Handout\n");
    ASSERT_EQ(0, saved.result.status) << saved.result.err;

    auto listed = testproc::run({"/usr/bin/lpoptions", "-p", std::string(kQueue) + "/Handout"});
    EXPECT_NE(std::string::npos, listed.out.find("copies=3")) << listed.out << listed.err;
    EXPECT_NE(std::string::npos, listed.out.find("Duplex=DuplexTumble")) << listed.out;
    EXPECT_NE(std::string::npos, listed.out.find("TLQuickColor=Vivid")) << listed.out;

    auto lp = testproc::run({"/usr/bin/lp", "-d", std::string(kQueue) + "/Handout", "-H", "indefinite", document_});
    ASSERT_EQ(0, lp.status) << lp.err;
    const int job = std::stoi(lp.out.substr(lp.out.find('-', lp.out.find(kQueue)) + 1));
    std::string why;
    auto attributes = server_.jobAttributes(job, &why);
    ASSERT_TRUE(attributes) << why;
    EXPECT_EQ("3", (*attributes)["copies"]);
    EXPECT_EQ("Vivid", (*attributes)["TLQuickColor"]);

    auto opened = printdialog({"-d", std::string(kQueue) + "/Handout"}, "panelView\nrestore\nsummary\ndump\n");
    ASSERT_EQ(0, opened.result.status) << opened.result.err;
    auto dialog = opened.state()["dialog"];
    EXPECT_EQ("Handout", dialog["preset"]);
    EXPECT_EQ("3", dialog["options"]["copies"]["value"]);
    EXPECT_EQ("DuplexTumble", dialog["options"]["Duplex"]["value"]);
    EXPECT_EQ("Vivid", opened.last("summary")["values"]["Quick Color"]);
}

TEST_F(DialogJobTest, AnInstanceThatIsNotThereIsNamed)
{
    auto run = printdialog({"-d", std::string(kQueue) + "/Nowhere"}, "dump\n");
    EXPECT_EQ(1, run.result.status);
    EXPECT_NE(std::string::npos, run.result.err.find("CUPS queue zq has no instance Nowhere")) << run.result.err;
}

TEST_F(DialogJobTest, UseAsDefaultMakesTheQueuesOwnLpoptions)
{
    auto saved = printdialog({"--queue", kQueue}, "panelView\nrestore\nset number-up 4\npreset-default\n");
    ASSERT_EQ(0, saved.result.status) << saved.result.err;

    auto listed = testproc::run({"/usr/bin/lpoptions", "-p", kQueue});
    EXPECT_NE(std::string::npos, listed.out.find("number-up=4")) << listed.out << listed.err;
    auto opened = printdialog({"--queue", kQueue}, "dump\n");
    EXPECT_EQ("4", opened.state()["dialog"]["options"]["number-up"]["value"]);
    EXPECT_EQ("Default Settings", opened.state()["dialog"]["preset"]);
}

// CUPS's pdftopdf counts page-ranges in sheets once pages go several to a sheet: the dialog picks the
// chosen pages itself, so that pages 2-3 two to a sheet print pages 2 and 3.
TEST_F(DialogJobTest, ChosenPagesSeveralToASheetPrintThePagesChosen)
{
    struct Case {
        const char* name;
        bool pdf;
        std::vector<std::string> arguments;
        const char* rangesSent; // "" none
        const char* pagesSent;
    };
    const Case cases[] = {
        {"PDF, two to a sheet", true, {"-P", "2-3", "-o", "number-up=2"}, "", "Page 2|Page 3|"},
        {"PostScript, four to a sheet", false, {"-P", "1,3-", "-o", "number-up=4"}, "", "Page 1|Page 3|Page 4|"},
        {"one to a sheet: CUPS's range is right", true, {"-P", "2-3"}, "2-3", "Page 1|Page 2|Page 3|Page 4|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> arguments = {"--queue", kQueue, "-H", "indefinite"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        arguments.push_back(fourPages(work_, c.pdf));

        auto run = printdialog(arguments, "panelView\nrestore\n");

        ASSERT_EQ(0, run.result.status) << run.result.err;
        auto job = attributesOf(run);
        EXPECT_EQ(c.rangesSent, job.count("page-ranges") ? job["page-ranges"] : "");
        const std::string sent = server_.documentFile(run.last("job").get<int>(), 1);
        EXPECT_EQ(c.pagesSent, pageTexts(sent));
    }
    auto none = printdialog(
        {"--queue", kQueue, "-P", "5-9", "-o", "number-up=2", fourPages(work_, true)}, "panelView\nrestore\n");
    EXPECT_EQ(1, none.result.status);
    EXPECT_NE(std::string::npos, none.result.err.find("none of the chosen pages")) << none.result.err;
    EXPECT_EQ(3, server_.jobCount(kQueue)) << "no job for pages that are not there";
}

// A document the preview cannot show (broken, or looping for ever) ends its preview with a word
// within 5 s, and the job still carries the document byte for byte.
TEST_F(DialogJobTest, ADocumentThePreviewCannotShowIsStillSentAsItIs)
{
    struct Case {
        const char* name;
        const char* bytes;
        const char* word;
    };
    const Case cases[] = {
        {"broken.pdf", "%PDF-1.4\n1 0 obj << /Type /Catalog >>\nnot a PDF after all\n", "cannot be shown"},
        {"endless.ps", "%!PS\n{ 1 pop } loop\nshowpage\n", "no result within"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = work_ + "/" + c.name;
        writeText(path, c.bytes);
        const auto start = std::chrono::steady_clock::now();

        auto run = printdialog(
            {"--queue", kQueue, "-H", "indefinite", path}, "panelView\nrestore\npreview " + work_ + "/sheet.png\n");

        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        ASSERT_EQ(0, run.result.status) << run.result.err;
        EXPECT_NE(std::string::npos, run.last("preview").dump().find(c.word)) << run.last("preview").dump();
        std::ifstream sent(server_.documentFile(run.last("job").get<int>(), 1), std::ios::binary);
        EXPECT_EQ(c.bytes, std::string(std::istreambuf_iterator<char>(sent), {}));
    }
}

// Transparencies exclude two-sided printing, labels the face-down bin: whichever way the pair comes
// in, the job never carries both.
TEST_F(DialogJobTest, AConflictingPairIsNeverSent)
{
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        const char* lpoptions;
    };
    const Case cases[] = {
        {"-o, the later one wins", {"-o", "MediaType=Transparency", "-o", "Duplex=DuplexNoTumble"}, ""},
        {"-o, the other order", {"-o", "Duplex=DuplexNoTumble", "-o", "MediaType=Transparency"}, ""},
        {"lpoptions", {}, "Dest zq MediaType=Labels TLOutputBin=FaceDown Duplex=DuplexTumble\n"},
    };
    const std::string lpoptions = homesandbox::home() + "/.cups/lpoptions";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeText(lpoptions, c.lpoptions);
        std::vector<std::string> arguments = {"--queue", kQueue, "-H", "indefinite", document_};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());

        auto run = printdialog(arguments, "panelView\nrestore\n");

        auto job = attributesOf(run);
        const std::string media = job.count("MediaType") ? job["MediaType"] : "Plain";
        const std::string duplex = job.count("Duplex") ? job["Duplex"] : "None";
        const std::string bin = job.count("TLOutputBin") ? job["TLOutputBin"] : "FaceDown";
        EXPECT_FALSE(media == "Transparency" && duplex != "None") << run.result.out;
        EXPECT_FALSE(media == "Labels" && bin == "FaceDown") << run.result.out;
    }
}

} // namespace
