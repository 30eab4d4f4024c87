#include "services/web_view_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace tamrivo {
namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& bytes, int64_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(bits >> shift));
}

// Stored settings: the integers given, then the url's bytes.
Bytes Stored(std::initializer_list<int64_t> fields, const std::string& url = "") {
  Bytes bytes;
  for (int64_t field : fields) Put32(bytes, field);
  bytes.insert(bytes.end(), url.begin(), url.end());
  return bytes;
}

struct Expected {
  int32_t fontSize = kMediumFontSize;
  bool offline = false;
  bool silent = false;
  std::string url;
};

void ExpectSettings(const std::optional<WebViewSettings>& settings, const Expected& expected,
                    const std::string& label) {
  ASSERT_TRUE(settings.has_value()) << label;
  EXPECT_EQ(settings->fontSize, expected.fontSize) << label;
  EXPECT_EQ(settings->offline, expected.offline) << label;
  EXPECT_EQ(settings->silent, expected.silent) << label;
  EXPECT_EQ(std::string(settings->url), expected.url) << label;
}

TEST(ReadWebViewSettings, VersionsZeroAndOneAreReadAndOthersFail) {
  const struct {
    int64_t version;
    bool read;
  } cases[] = {{0, true}, {1, true}, {2, false}, {-1, false}, {0x7FFFFFFF, false},
               {INT32_MIN, false}};
  for (const auto& c : cases) {
    const Bytes stored = Stored({c.version, 3, 1, 1, 4}, "http");
    const std::optional<WebViewSettings> settings = ReadWebViewSettings(stored);
    if (c.read) {
      ExpectSettings(settings, {.fontSize = 3, .offline = true, .silent = true, .url = "http"},
                     "version " + std::to_string(c.version));
    } else {
      EXPECT_FALSE(settings.has_value()) << "version " << c.version;
    }
  }
}

TEST(ReadWebViewSettings, DataCutShortAnywhereLeavesTheRestAtTheirDefaults) {
  const std::string url = "http://127.0.0.1/a";
  const Bytes whole = Stored({1, 0, 7, -3, static_cast<int64_t>(url.size())}, url);
  // What is read once the bytes hold each field entirely; a field cut inside counts as missing.
  const Expected byFieldsPresent[] = {
      {},                                                                     // nothing at all
      {},                                                                     // the version
      {.fontSize = 0},                                                        // FontSize
      {.fontSize = 0, .offline = true},                                       // Offline
      {.fontSize = 0, .offline = true, .silent = true},                       // Silent
  };
  for (size_t cut = 0; cut < 20; ++cut) {
    const Bytes stored(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(cut));
    ExpectSettings(ReadWebViewSettings(stored), byFieldsPresent[cut / 4],
                   "cut at " + std::to_string(cut));
  }
  // With the length present, url bytes cut short are damage, not missing data.
  for (size_t cut = 20; cut < whole.size(); ++cut) {
    const Bytes stored(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(cut));
    EXPECT_FALSE(ReadWebViewSettings(stored).has_value()) << "cut at " << cut;
  }
  ExpectSettings(ReadWebViewSettings(whole),
                 {.fontSize = 0, .offline = true, .silent = true, .url = url}, "whole");
}

TEST(ReadWebViewSettings, UrlLengthsThatAreNegativeOrRunPastTheDataFail) {
  const std::string url = "abc";
  const int64_t lengths[] = {-1, INT32_MIN, 4, 0x7FFFFFFF, 0x80000000LL - 1, 0xFFFFFFFFLL};
  for (int64_t length : lengths) {
    EXPECT_FALSE(ReadWebViewSettings(Stored({1, 2, 0, 0, length}, url)).has_value())
        << "length " << length;
  }
  // Shorter than the bytes that follow: the rest is not the url's.
  ExpectSettings(ReadWebViewSettings(Stored({1, 2, 0, 0, 2}, url)), {.url = "ab"}, "length 2");
  ExpectSettings(ReadWebViewSettings(Stored({1, 2, 0, 0, 0}, url)), {}, "length 0");
}

TEST(ReadWebViewSettings, UrlBytesAreKeptAsStoredIncludingGbk) {
  const std::string url = "http://例子.测试/页面?词=关机";  // GBK in this build
  const Bytes stored = Stored({1, 2, 0, 0, static_cast<int64_t>(url.size())}, url);
  const std::optional<WebViewSettings> settings = ReadWebViewSettings(stored);
  ASSERT_TRUE(settings.has_value());
  EXPECT_EQ(std::string(settings->url), url);
  // The url is a view into the stored bytes, not a copy.
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(settings->url.data()), stored.data() + 20);
}

TEST(FontSizeToApply, ClampsToTheFiveSizes) {
  const struct {
    int32_t stored, applied;
  } cases[] = {{-1, 0}, {INT32_MIN, 0}, {0, 0}, {2, 2}, {4, 4}, {5, 4}, {7, 4}, {INT32_MAX, 4}};
  for (const auto& c : cases) EXPECT_EQ(FontSizeToApply(c.stored), c.applied) << c.stored;
}

TEST(StoredWebViewSettings, ReadsBackAsWritten) {
  constexpr auto withServer = StoredWebViewSettings(2, false, false, "http://127.0.0.1:8", "/p.htm");
  ExpectSettings(ReadWebViewSettings(withServer.span()), {.url = "http://127.0.0.1:8/p.htm"},
                 "with a server");
  constexpr auto withoutServer = StoredWebViewSettings(7, true, true, "", "/p.htm");
  EXPECT_EQ(withoutServer.span().size(), 20u);
  ExpectSettings(ReadWebViewSettings(withoutServer.span()),
                 {.fontSize = 7, .offline = true, .silent = true}, "without a server");
}

}  // namespace
}  // namespace tamrivo
