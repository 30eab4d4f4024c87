// The build whose forms name a loopback advertisement server: which pages the program asks
// for, and how often. Wine has no HTML engine here, so the requests are what there is to see.
// Also what makes the shipped build's "no request" checks mean something: its program file
// holds no page address, and the proxy those checks listen as does receive the browser's
// requests, whatever server they name.
#include "program_fixture.h"

#include <cstdio>
#include <string>

namespace tamrivo::e2e {
namespace {

constexpr char kMainPage[] = "/admin/ad/tamrivo2.htm";
constexpr char kAboutPage[] = "/admin/ad/tamrivo.htm";

class AdServerTest : public ProgramTest {
 protected:
  AdServerTest() : ProgramTest(Build::WithAdServer) {}

  bool Requested(const std::string& path, int times) {
    return WaitUntil([&] { return adServer_.Requests(path) >= times; }, 20000);
  }
};

TEST_F(AdServerTest, StartUpAsksForItsPageOnceAndEveryAboutOpeningForAboutsPage) {
  ASSERT_TRUE(Requested(kMainPage, 1)) << "start-up asked for nothing";

  PostMessageW(Control(AboutButton), BM_CLICK, 0, 0);
  HWND about = WaitForAbout();
  ASSERT_TRUE(about) << "no AboutWindow from AboutButton";
  ASSERT_TRUE(Requested(kAboutPage, 1));
  CloseAbout(about);

  about = OpenAboutFromTheTray();
  ASSERT_TRUE(about) << "no AboutWindow from the tray menu";
  ASSERT_TRUE(Requested(kAboutPage, 2));
  CloseAbout(about);

  Sleep(1500);  // time for a repeated or stray request to arrive
  EXPECT_EQ(adServer_.Requests(kMainPage), 1);
  EXPECT_EQ(adServer_.Requests(kAboutPage), 2);
  EXPECT_EQ(adServer_.TotalRequests(), 3);
}

std::string FileBytes(const std::wstring& path) {
  std::string bytes;
  if (FILE* file = _wfopen(path.c_str(), L"rb")) {
    char buffer[65536];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, got);
    fclose(file);
  }
  return bytes;
}

TEST(ShippedBuildTest, HoldsNoPageAddressWhereTheBuildWithAServerHoldsBoth) {
  const std::string shipped = FileBytes(ProgramOf(Build::Shipped));
  const std::string withServer = FileBytes(ProgramOf(Build::WithAdServer));
  ASSERT_FALSE(shipped.empty());
  EXPECT_EQ(shipped.find("/admin/ad/"), std::string::npos);
  const std::string server = "http://127.0.0.1:" + std::to_string(kAdServerPort);
  EXPECT_NE(withServer.find(server + kMainPage), std::string::npos);
  EXPECT_NE(withServer.find(server + kAboutPage), std::string::npos);
}

TEST(ShippedBuildTest, TheProxyItsTestsListenAsReceivesTheBrowsersRequests) {
  test::LoopbackServer proxy;
  ASSERT_TRUE(proxy.listening());
  ChildProcess app;
  ASSERT_TRUE(app.Start(ProgramOf(Build::WithAdServer), L"", {ProxySetting(proxy.port())}));
  const std::string asked = "http://127.0.0.1:" + std::to_string(kAdServerPort) + kMainPage;
  EXPECT_TRUE(WaitUntil([&] { return proxy.Requests(asked) == 1; }, 20000)) << proxy.TotalRequests() << " requests";
}

}  // namespace
}  // namespace tamrivo::e2e
