#include "tests/viewer/upload_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/environment.h"

namespace upload_test {

const char kResultsAllNotDone[] =
    "[Configuration]\r\n"
    "Date=06122026_18h21m56\r\n"
    "[CfgRes000]\r\n"
    "Cfg_Nom=LINE 4\r\n"
    "SeuilMax_D_L1=28\r\nSeuilMax_D_L2=28\r\nSeuilMin_D_L1=14\r\nSeuilMin_D_L2=14\r\n"
    "SeuilMax_R_L1=5\r\nSeuilMax_R_L2=5\r\nSeuilMin_R_L1=0\r\nSeuilMin_R_L2=0\r\n"
    "Cfg_NbrEcu=0\r\n"
    "Tests_Faisceau=0\r\nTests_Electriques=0\r\nTest_Longueur=0\r\nTest_Blindage=0\r\n"
    "Result_Tests_Faisceau=0\r\nResult_Tests_Electriques=0\r\nResult_Test_Longueur=0\r\n"
    "Result_Test_Blindage=0\r\nResult_Tests=0\r\n";

const char kReportAllNotDoneEnglish[] =
    "===========================================================\r\n"
    "=   Date of upload : 06/12/2026 18:21:56\r\n"
    "===========================================================\r\n"
    "1) Results of Connection Test : \tTest not done\r\n\r\n"
    "2) Results of the Screening Tests : \tTest not done\r\n\r\n"
    "3) Results of Signal Test : \tTest not done\r\n\r\n"
    "4) Results of Length measurement : \tTest not done\r\n\r\n";

void SetEnvironment(const std::string& name, const std::string& value) {
  EXPECT_TRUE(platform::SetEnvironmentValue(name.c_str(), value.empty() ? nullptr : value.c_str()));
}

// By its full path: the system's search would find a same-named program beside the test binary.
std::string CopiedProgramCommandLine(const std::filesystem::path& folder,
                                     const std::string& file_name, const std::string& arguments) {
  return "\"" + (folder / file_name).string() + "\" " + arguments;
}

}  // namespace upload_test
