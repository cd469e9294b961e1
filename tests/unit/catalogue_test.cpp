// The catalogue as publications rely on it: ids, names, type codes, help texts.
#include <gtest/gtest.h>
#include <cstring>
#include <set>
#include <string>
#include "host/catalogue.h"
#include "host/dispatch.h"

TEST(Catalogue, HasTheFixedRowsInRegistrationOrder) {
    int headers = 0, actions = 0;
    std::set<int> ids;
    for (const CatalogueRow& row : kCatalogue) {
        EXPECT_EQ(static_cast<int>(strlen(row.types)), row.count) << row.name;
        if (row.id == 0) {
            ++headers;
            EXPECT_STREQ(row.hint, "");
            EXPECT_EQ(row.count, 0);
            EXPECT_EQ(strncmp(row.name, "Quillmont - ", 12), 0) << row.name;
            continue;
        }
        ++actions;
        EXPECT_TRUE(ids.insert(row.id).second) << "duplicate id " << row.id;
        EXPECT_GE(row.id, 1);
        EXPECT_LE(row.id, 220);
        EXPECT_EQ(strncmp(row.name, "QMT_", 4), 0);
        for (const char* t = row.types; *t; ++t) EXPECT_TRUE(*t == '1' || *t == '5' || *t == '6') << row.name;
    }
    // The one place the counts are stated: 148 actions under 19 group headers.
    EXPECT_EQ(headers, 19);
    EXPECT_EQ(actions, 148);
    EXPECT_EQ(kCatalogueRows, 167);
    // The timeline group is registered after the players, and the filmstrip
    // zoom opens the track-lane group.
    int zoomRow = -1;
    for (int i = 0; i < kCatalogueRows; ++i)
        if (kCatalogue[i].id == 147) zoomRow = i;
    ASSERT_GT(zoomRow, 0);
    EXPECT_STREQ(kCatalogue[zoomRow - 1].name, "Quillmont - Track Lanes");
}

TEST(Catalogue, TypeCodesKeepTheirQuirks) {
    EXPECT_STREQ(FindCatalogueRow(FindActionId("QMT_GetResolution"))->types, "516");
    EXPECT_STREQ(FindCatalogueRow(FindActionId("QMT_Concat"))->types, "51");
    int without = 0;
    for (const CatalogueRow& row : kCatalogue) without += (row.id != 0 && row.count == 0);
    EXPECT_EQ(without, 2);
}

TEST(Catalogue, LookupsByIdAndName) {
    EXPECT_STREQ(ActionName(11), "QMT_GetDuration");
    for (int id : {0, 5, 221, -1}) {
        EXPECT_STREQ(ActionName(id), "") << id;
        EXPECT_STREQ(ActionLongHelp(id), "") << id;
    }
    EXPECT_EQ(FindActionId("qmt_trim"), 21);
    EXPECT_EQ(FindActionId("Quillmont - Configuration"), 0);
}

TEST(Catalogue, LongHelpBeginsWithTheCallForm) {
    // Each text starts with its action's call form (the parameters themselves: LongHelp).
    for (const CatalogueRow& row : kCatalogue) {
        std::string head = std::string(row.name) + (row.count ? " \"[" : " - ");
        if (row.id) EXPECT_EQ(std::string(ActionLongHelp(row.id)).compare(0, head.size(), head), 0) << row.name;
    }
}

TEST(Dispatch, ToolchainIdsHaveHandlersAndGapsHaveNone) {
    // Ids without a row never get one.
    for (int id : {5, 10, 19, 20, 99, 100, 199}) EXPECT_FALSE(HasHandler(id)) << id;
    for (int id : {1, 2, 3, 4, 11, 12, 13, 14, 15, 16, 17, 18, 161, 162}) EXPECT_TRUE(HasHandler(id)) << id;
}
