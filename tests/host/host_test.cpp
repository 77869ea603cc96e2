// The host side beyond what the scenarios show: the ambient font and the stores handing out
// objects of their own. (Event rewrites and scripts that cannot run are the scenarios' lines.)

#include <gtest/gtest.h>

#include <sstream>

#include "property_stores.h"
#include "runner.h"

namespace datewell::host {
namespace {

TEST(ScriptHostAmbientFont, EachAnswerIsAnObjectOfItsOwn) {
  std::ostringstream out;
  ScriptHost host(out);
  host.SetAmbientFont(Font{"Tahoma", 11, true});
  FontRef first = host.AmbientFont();
  ASSERT_TRUE(first);
  EXPECT_EQ(*first, (Font{"Tahoma", 11, true}));
  first->size = 30;  // a control that adopted the object and changed it
  EXPECT_EQ(host.AmbientFont()->size, 11.0f);
}

TEST(MemoryBagStore, ReadsTheLastEntryOfAKeyOrTheDefault) {
  MemoryBag bag({{"DateFormat", Variant(std::int32_t{1})},
                 {"Enabled", Variant(false)},
                 {"DateFormat", Variant(std::int32_t{7})}});
  EXPECT_TRUE(bag.ReadProperty("DateFormat", Variant(std::int32_t{0})) == Variant(std::int32_t{7}));
  EXPECT_TRUE(bag.ReadProperty("Value", Variant(std::int16_t{0})) == Variant(std::int16_t{0}));
  EXPECT_TRUE(bag.ReadProperty("Enabled", Variant(true)) == Variant(false));
}

TEST(MemoryBagStore, AFontReadIsACopy) {
  auto font = std::make_shared<Font>(Font{"Arial", 10});
  MemoryBag bag({{"Font", Variant(font)}});
  Variant read = bag.ReadProperty("Font", Variant::Nothing());
  ASSERT_TRUE(read.is(VarKind::Font));
  EXPECT_NE(read.font().get(), font.get());
  EXPECT_EQ(*read.font(), *font);
}

}  // namespace
}  // namespace datewell::host
