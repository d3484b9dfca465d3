// Runs the built qdbupd against installations written to the registry and
// checks the exit code of every outcome a run can reach, and natively the
// exact title and text it shows.  Under wine the message box would wait for
// a user, so there every run is silent and the exit code is checked.

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>

#include "platform/testing.h"
#include "support/reg_writer.h"
#include "support/test_files.h"

namespace qdbupd {
namespace {

using testing::RegWriter;

const char kKey[] = "HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\4.0";
const char kOemKey[] =
    "HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\xyz\\4.0";

const char kText258[] =
    "Extracting from the file archive failed. It's probably broken, download "
    "again, please.";
const char kText260[] =
    "Pelnor 4 is probably not yet installed or the installation is broken.\n"
    "Download full install package and reinstall, please.";
const char kCzech260[] =
    "Pelnor 4 pravděpodobně není nainstalován, nebo je instalace poškozena.\n"
    "Stáhněte, prosím, plný instalační soubor a přeinstalujte.";
const char kCzech260Ascii[] =
    "Pelnor 4 pravd?podobn? nen? nainstalov?n, nebo je instalace po?kozena.\n"
    "St?hn?te, pros?m, pln? instala?n? soubor a p?einstalujte.";

std::string ProgramPath() {
  std::string path = QDBUPD_PROGRAM_PATH;
#if defined(_WIN32)
  // The build names the program by its path on the build machine; wine
  // reaches that file system as drive Z:.
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
#endif
  return path;
}

struct Row {
  const char* name;
  std::function<void(RegWriter&, const std::string& folder)> registry;  // null: none
  const char* arguments;
  const char* locale;  // LC_ALL of the run
  int exitCode;
  // What the native run shows: the stream, title and text; a null title
  // means nothing is shown.
  bool onStandardError;
  const char* title;
  const char* text;
};

void Installed(RegWriter& r, const std::string& folder) {
  r.Key(kKey).String("Pelnor4ProgramFolder", folder).Dword("SetupVersion", 1110);
}

const Row kRows[] = {
    {"silent without installation", nullptr, "/silent", "C", 4, true, nullptr, ""},
    {"without installation", nullptr, "", "C", 4, true, "Error", kText260},
    {"czech in a UTF-8 locale", nullptr, "/lang cze", "C.UTF-8", 4, true, "Chyba",
     kCzech260},
    {"czech in the C locale", nullptr, "/lang cze", "C", 4, true, "Chyba",
     kCzech260Ascii},
    {"installed, no package", Installed, "/sfxstorage .", "C", 2, true, "Error",
     kText258},
    {"installed, no package, silent", Installed, "/silent", "C", 2, true, nullptr, ""},
    {"unknown edition",
     [](RegWriter& r, const std::string& folder) {
       Installed(r, folder);
       r.String("Product", "ED_ALPHA");
     },
     "", "C", 2, true, "Error", kText258},
    {"setup version stored as text",
     [](RegWriter& r, const std::string& folder) {
       r.Key(kKey).String("Pelnor4ProgramFolder", folder).String("SetupVersion", "1110");
     },
     "", "C", 4, true, "Error", kText260},
    {"oem installation",
     [](RegWriter& r, const std::string& folder) {
       r.Key(kOemKey).String("Pelnor4ProgramFolder", folder).Dword("SetupVersion", 1110);
     },
     "/oem xyz /silent", "C", 2, true, nullptr, ""},
    {"oem name without its key", Installed, "/oem xyz", "C", 4, true, "Error", kText260},
};

class EndToEndTest : public ::testing::TestWithParam<Row> {
 protected:
  void TearDown() override {
    (void)platform::testing::UseRegistryForChildren("");
    platform::testing::SetEnvironment("LC_ALL", nullptr);
  }
  testing::TempDir dir_;
};

TEST_P(EndToEndTest, ExitCodeAndMessage) {
  const Row& row = GetParam();
  std::string registry;
  if (row.registry) {
    RegWriter writer;
    row.registry(writer, dir_.File("Prog"));
    registry = dir_.File("registry.reg");
    writer.Save(registry);
  }
  ASSERT_TRUE(platform::testing::UseRegistryForChildren(registry));
  platform::testing::SetEnvironment("LC_ALL", row.locale);

  std::string arguments = row.arguments;
#if defined(_WIN32)
  const bool checkMessage = false;
  if (arguments.find("/silent") == std::string::npos) arguments += " /silent";
#else
  const bool checkMessage = true;
#endif
  const std::string out = dir_.File("out.txt");
  const std::string err = dir_.File("err.txt");
  const int exitCode = platform::testing::RunProcess(
      "\"" + ProgramPath() + "\" " + arguments, out, err);
  EXPECT_EQ(exitCode, row.exitCode);
  if (!checkMessage) return;

  std::string shown;
  if (row.title) {
    shown = std::string(row.title) + "\n" + row.text;
    if (shown.back() != '\n') shown += '\n';
  }
  EXPECT_EQ(testing::ReadFile(err), row.onStandardError ? shown : "");
  EXPECT_EQ(testing::ReadFile(out), row.onStandardError ? "" : shown);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, EndToEndTest, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& param) {
                           std::string name;
                           for (const char* p = param.param.name; *p; ++p) {
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace qdbupd
