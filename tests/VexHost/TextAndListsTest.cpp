#include <gtest/gtest.h>

#include "VexList.h"
#include "VexString.h"
#include "VexToken.h"
#include "VexUnicodeString.h"

TEST(VexUnicodeStringTest, CountsCharactersNotBytes) {
  VexUnicodeString text("Zürich-Ωmega");  // ü and Ω take two bytes each
  EXPECT_EQ(text.GetLengthInChar(), 12);
  EXPECT_EQ(text.GetLengthInByte(), 14);
  EXPECT_EQ(text.SubString(7, 5), VexUnicodeString("Ωmega"));
  EXPECT_EQ(text.Search("Ω"), 7);
  EXPECT_EQ(text.Search("x"), -1);
}

TEST(VexUnicodeStringTest, ByteCountConstructionStopsAtCountOrNul) {
  const char buffer[] = "abcdef";
  EXPECT_EQ(VexUnicodeString(buffer, 3), VexUnicodeString("abc"));
  const char withNul[] = {'a', 'b', '\0', 'c'};
  EXPECT_EQ(VexUnicodeString(withNul, 4), VexUnicodeString("ab"));
}

TEST(VexUnicodeStringTest, StripModes) {
  EXPECT_EQ(VexUnicodeString("  a b  ").Strip(1), VexUnicodeString("a b  "));
  EXPECT_EQ(VexUnicodeString("  a b  ").Strip(2), VexUnicodeString("  a b"));
  EXPECT_EQ(VexUnicodeString("  a b  ").Strip(3), VexUnicodeString("a b"));
  EXPECT_EQ(VexUnicodeString("    ").Strip(3), VexUnicodeString(""));
}

TEST(VexUnicodeStringTest, CompareAnswersDifferentIdenticalOrCaseOnly) {
  EXPECT_EQ(VexUnicodeString(".mas").Compare(".mas"), 1);
  EXPECT_EQ(VexUnicodeString(".MAS").Compare(".mas"), 2);
  EXPECT_EQ(VexUnicodeString(".mas").Compare(".mps"), 0);
  EXPECT_EQ(VexUnicodeString(".mas").Compare(".mass"), 0);
  // Case folding is ASCII only: non-ASCII letters must match exactly.
  EXPECT_EQ(VexUnicodeString("Ü").Compare("ü"), 0);
}

TEST(VexListTest, IndexesFromOneAndRejectsOutOfRange) {
  VexListValVexUnicodeString list;
  list.Append("a");
  list.Append("b");
  EXPECT_EQ(list.Size(), 2);
  EXPECT_EQ(list[1], VexUnicodeString("a"));
  EXPECT_EQ(list[2], VexUnicodeString("b"));
  EXPECT_THROW(list[0], VexInternalError);
  EXPECT_THROW(list[3], VexInternalError);
  EXPECT_EQ(list.Locate("b"), 2);
  EXPECT_EQ(list.Locate("z"), 0);
}

TEST(VexListTest, RemoveDuplicatesKeepsFirstOccurrencesInOrder) {
  VexListValVexUnicodeString list{"N3", "N1", "N3", "N2", "N1"};
  list.RemoveDuplicates();
  ASSERT_EQ(list.Size(), 3);
  EXPECT_EQ(list[1], VexUnicodeString("N3"));
  EXPECT_EQ(list[2], VexUnicodeString("N1"));
  EXPECT_EQ(list[3], VexUnicodeString("N2"));
}

TEST(VexTokenTest, SplitsCrLfLinesOnDefaultSeparators) {
  VexToken token(VexUnicodeString("BUS1\tBUS2  \r\n"));
  EXPECT_EQ(token.GetNextToken(), VexUnicodeString("BUS1"));
  EXPECT_EQ(token.GetNextToken(), VexUnicodeString("BUS2"));
  EXPECT_EQ(token.GetNextToken(), VexUnicodeString(""));
  EXPECT_EQ(token.GetNextToken(), VexUnicodeString(""));
  EXPECT_EQ(VexToken(VexUnicodeString("AB CD   ")).GetNextToken(), VexUnicodeString("AB"))
      << "the first token of a fixed-column field";
}
