#include "eco/eco_family.h"

#include <gtest/gtest.h>

namespace ravelin::eco {
namespace {

std::string_view FamilyOf(std::string_view code) {
    return EcoFamilyNames()[static_cast<std::size_t>(EcoFamilyIndex(code))];
}

TEST(EcoFamilyIndex, CodesGiveLetterHundredsAndTheirNumber) {
    EXPECT_EQ(EcoFamilyIndex("A00"), 0);
    EXPECT_EQ(EcoFamilyIndex("B90"), 190);
    EXPECT_EQ(EcoFamilyIndex("E99"), 499);
}

TEST(EcoFamilyIndex, EmptyOrOutOfRangeCodeGivesUnknownFamily) {
    EXPECT_EQ(EcoFamilyIndex(""), kUnknownFamily);
    EXPECT_EQ(EcoFamilyIndex("F00"), kUnknownFamily);
    EXPECT_EQ(EcoFamilyIndex("?"), kUnknownFamily);
    EXPECT_EQ(EcoFamilyIndex("A0"), kUnknownFamily);
    EXPECT_EQ(FamilyOf("Z99"), "???");
}

TEST(EcoFamilyNames, EveryCodeHasAFamilyAtTheRangeBoundaries) {
    for (int i = 0; i < kUnknownFamily; ++i) {
        EXPECT_FALSE(EcoFamilyNames()[static_cast<std::size_t>(i)].empty()) << i;
    }
    EXPECT_EQ(FamilyOf("A00"), "Polish,Grob,etc");
    EXPECT_EQ(FamilyOf("A39"), "English");
    EXPECT_EQ(FamilyOf("B20"), "Sicilian");
    EXPECT_EQ(FamilyOf("C59"), "Two Knights");
    EXPECT_EQ(FamilyOf("C60"), "Ruy Lopez");
    EXPECT_EQ(FamilyOf("D31"), "Semi-Slav");
    EXPECT_EQ(FamilyOf("D42"), "QGD");
    EXPECT_EQ(FamilyOf("E59"), "Nimzo-Indian");
    EXPECT_EQ(FamilyOf("E60"), "King's Indian Def");
    EXPECT_EQ(EcoFamilyNames()[kUnknownFamily], "???");
}

}  // namespace
}  // namespace ravelin::eco
