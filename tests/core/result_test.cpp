#include <gtest/gtest.h>

#include <string>

#include "base/result.h"

namespace menuforge {
namespace {

Result<int> Half(int value) {
  if (value % 2) return Failure("odd");
  return value / 2;
}

Status Refused(bool refuse) {
  if (refuse) return Failure(Message{"busy", kWarningCaption, MessageIcon::Warning});
  return {};
}

// A failure given as text is the error box the user reads; one given as a message stays as given.
TEST(Result, CarriesTheValueOrTheMessage) {
  const Result<int> half = Half(8);
  ASSERT_TRUE(half.ok());
  EXPECT_EQ(*half, 4);
  EXPECT_EQ(half.errorText(), "");

  const Result<int> odd = Half(3);
  ASSERT_FALSE(odd);
  EXPECT_EQ(odd.error(), (Message{"odd", kErrorCaption, MessageIcon::Error}));

  EXPECT_TRUE(Refused(false));
  EXPECT_EQ(Refused(true).error(), (Message{"busy", kWarningCaption, MessageIcon::Warning}));
  EXPECT_EQ(Refused(true).errorText(), "busy");
}

}  // namespace
}  // namespace menuforge
