#include "exports/json_record.h"

#include <gtest/gtest.h>

#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

#include "exports/json_writer.h"

#include "sample_run.h"

namespace barlist::exports {
namespace {

using nlohmann::json;

std::string written(const JsonRecord& record) {
  std::ostringstream out;
  record.write(out);
  return out.str();
}

json sample_document() {
  JsonRecord record("1.1.0", "pier.deck", "08-DEC-26", "14:05:33", "2026-12-08T14:05:33Z");
  testing::feed_sample_run(record);
  return json::parse(written(record));
}

TEST(JsonRecord, ProblemsUnitsItemsAndTotals) {
  const json doc = sample_document();
  EXPECT_EQ(doc["barlist"], "1.1.0");
  EXPECT_EQ(doc["deck"], "pier.deck");
  EXPECT_EQ(doc["time"], "14:05:33");
  EXPECT_EQ(doc["complete"], true);
  ASSERT_EQ(doc["problems"].size(), 2u);

  const json& cap = doc["problems"][0];
  EXPECT_EQ(cap["title"], "PIER CAPS");
  EXPECT_EQ(cap["listed"], true);
  const json& unit = cap["units"][0];
  EXPECT_EQ(unit["name"], "CAP, \"NORTH\"");
  EXPECT_EQ(unit["count"], 3);
  EXPECT_TRUE(unit["weight"].is_number_integer());
  EXPECT_EQ(unit["total_weight"], 2106);
  ASSERT_EQ(unit["items"].size(), 4u) << "the bar weighed before the unit card is not the unit's";
  EXPECT_EQ(cap["unclosed_items"][0]["mark"], "X01");

  const json& bar = unit["items"][0];
  EXPECT_EQ(bar["card"], "bar");
  EXPECT_EQ(bar["hooks"], json::array({1, 1}));
  EXPECT_EQ(bar["dimensions"], json({{"a", 6000}}));
  const json& lump = unit["items"][1];
  EXPECT_EQ(lump["lump_weight"], 12.5);
  EXPECT_EQ(lump["count"], 4);
  for (const char* key : {"size", "mark", "type", "length"}) EXPECT_FALSE(lump.contains(key)) << key;
  const json& vary = unit["items"][2];
  EXPECT_EQ(vary["length"], 1875.5);
  EXPECT_FALSE(vary.contains("type"));

  EXPECT_EQ(cap["subtotals"][0]["name"], "CAPS");
  EXPECT_EQ(cap["total"]["weight"], 2106);

  const json& footing = doc["problems"][1];
  EXPECT_EQ(footing["listed"], false);
  EXPECT_TRUE(footing["total"].is_null()) << "no end card";
  EXPECT_TRUE(footing["units"].empty());
  EXPECT_EQ(footing["unclosed_items"][0]["mark"], "F02") << "the unit open at the premature end";
}

TEST(JsonRecord, ErrorsShowWhatTheirLineShows) {
  const json doc = sample_document();
  ASSERT_EQ(doc["errors"].size(), 2u);
  const json& hook = doc["errors"][0];
  EXPECT_EQ(hook["error"], 9);
  EXPECT_EQ(hook["column"], 25);
  EXPECT_EQ(hook["message"], "ILLEGAL HOOK STYLE");
  EXPECT_EQ(hook["problem"], "A102");
  EXPECT_EQ(hook["unit"], "FOOTING");
  EXPECT_EQ(hook["bar"], "29F03");
  EXPECT_EQ(hook["card"], " 29F03        20      1044  9600");
  EXPECT_EQ(hook["problem_index"], 2);

  const json& end = doc["errors"][1];
  EXPECT_EQ(end["error"], 0);
  EXPECT_EQ(end["message"], "PREMATURE END OF FILE");
  for (const char* key : {"column", "card", "problem", "unit", "bar"}) EXPECT_FALSE(end.contains(key)) << key;

  EXPECT_EQ(doc["warnings"][0]["column"], 13);
}

TEST(JsonRecord, RealsInTheirShortestSinglePrecisionForm) {
  JsonRecord record("1.1.0", "pier.deck", "08-DEC-26", "14:05:33", "2026-12-08T14:05:33Z");
  testing::feed_sample_run(record);
  const std::string text = written(record);
  EXPECT_NE(text.find("\"weight\": 605.49\n"), std::string::npos);
  EXPECT_EQ(text.find("605.4899"), std::string::npos);
  EXPECT_NE(text.find("\"price\": 1.85,"), std::string::npos);
  EXPECT_NE(text.find("\"cost\": 3896.1"), std::string::npos);
}

// Each real as a reader of doubles writes it, but with the float's own
// shortest digits (nlohmann-json wrote 0.010000035f as 0.010000034999999999).
TEST(JsonWriter, RealsInTheShortestDigitsOfTheFloat) {
  const std::pair<float, const char*> cases[] = {
      {605.49f, "605.49"},
      {12.0f, "12.0"},
      {0.010000035f, "0.010000035"},
      {15.576403f, "15.576403"},
      {0.0005f, "0.0005"},
      {2.5e-8f, "2.5e-08"},
      {33584768.0f, "33584768.0"},
      {1e20f, "1.0000000200408773e+20"},  // from 2^24 up, the digits of the whole value
      {-0.0f, "-0.0"},
      {std::numeric_limits<float>::infinity(), "null"},
  };
  for (const auto& [value, text] : cases) {
    std::ostringstream out;
    JsonWriter(out).real(value);
    EXPECT_EQ(out.str(), text) << value;
  }
}

TEST(JsonWriter, LaysOutADocumentAsNlohmannJsonDoes) {
  const nlohmann::ordered_json tree = {
      {"text", "a \"quoted\" \\ tab\t \x01 \xc3\xa9"},
      {"bad", "P\xff"},
      {"card", " 29F03        20      1044  9600 and more plain text past sixteen bytes"},
      {"late", {"0123456789\"", "0123456789\\", "0123456789\x7f", "0123456789\x1f", "0123456789\xe9t\xc3\xa9"}},
      {"empty", nlohmann::ordered_json::object()},
      {"none", nlohmann::ordered_json::array()},
      {"list", {1, -2, true, nullptr, {{"deep", nlohmann::ordered_json::array({3})}}}},
      {"line", std::uint64_t{18446744073709551615u}}};
  std::ostringstream out;
  JsonWriter(out).value(tree);
  EXPECT_EQ(out.str(), tree.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
}

TEST(JsonRecord, BySizeCountsEachCardOncePerLikeUnit) {
  const json sizes = sample_document()["problems"][0]["by_size"];
  ASSERT_EQ(sizes.size(), 2u) << "lumps left out";
  EXPECT_EQ(sizes[0]["size"], 13);
  EXPECT_EQ(sizes[0]["bars"], 24);              // 8 x 3
  EXPECT_EQ(sizes[0]["length"], 45012);         // 1875.5 x 8 x 3
  EXPECT_FLOAT_EQ(sizes[0]["weight"], 44.73f);  // 14.91 x 3
  EXPECT_EQ(sizes[1]["size"], 25);
  EXPECT_EQ(sizes[1]["bars"], 78);                // (24 + 2) x 3
  EXPECT_EQ(sizes[1]["length"], 481200);          // (6350 x 24 + 4000 x 2) x 3
  EXPECT_FLOAT_EQ(sizes[1]["weight"], 1911.81f);  // (605.49 + 31.78) x 3
}

TEST(JsonRecord, BytesThatAreNotUtf8DoNotStopTheDocument) {
  JsonRecord record("1.1.0",
                    "d\xe9"
                    "ck",
                    "08-DEC-26", "14:05:33", "2026-12-08T14:05:33Z");
  record.problem_opened({1, 1, "P\xff", "PONT DE L'\xc9TANG", 1});
  record.pass1_ended(true);
  record.run_ended();
  const json doc = json::parse(written(record));
  EXPECT_EQ(doc["problems"][0]["number"], "P\xef\xbf\xbd");  // U+FFFD
}

}  // namespace
}  // namespace barlist::exports
