#include "core/catalogue/CatalogueLocation.h"

#include <gtest/gtest.h>

#include <tuple>

namespace airmotor::core {
namespace {
namespace catalogue_location_test {

struct UrlCase {
    const char* text;
    const char* host;
    std::optional<int> port;
    const char* database;
    const char* user;
    std::vector<std::pair<std::string, std::string>> options;
};

class LocationUrl : public ::testing::TestWithParam<UrlCase> {};

TEST_P(LocationUrl, GivesEachPart) {
    const UrlCase& c = GetParam();
    const auto parsed = ParseCatalogueLocation(c.text);
    ASSERT_TRUE(std::holds_alternative<CatalogueLocation>(parsed)) << std::get<LocationError>(parsed).message;
    const auto& location = std::get<CatalogueLocation>(parsed);
    EXPECT_TRUE(location.isPostgres());
    EXPECT_EQ(std::tie(location.text, location.host, location.port, location.database, location.user),
              std::tuple(std::string(c.text), std::string(c.host), c.port, std::string(c.database),
                         std::string(c.user)));
    EXPECT_EQ(location.options, c.options);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, LocationUrl,
    ::testing::Values(
        UrlCase{"postgresql://anna@db.example.com/motors?sslmode=verify-full",
                "db.example.com",
                std::nullopt,
                "motors",
                "anna",
                {{"sslmode", "verify-full"}}},
        UrlCase{"postgres://db:6543/m", "db", 6543, "m", "", {}},
        UrlCase{"postgresql:///cat?host=/tmp/pg%20x&port=5433&user=airmotor",
                "/tmp/pg x",
                5433,
                "cat",
                "airmotor",
                {}},
        UrlCase{
            "postgresql://%2Fvar%2Frun%2Fpostgresql/cat", "/var/run/postgresql", std::nullopt, "cat", "", {}},
        UrlCase{"postgresql://[::1]:5432/cat?connect_timeout=3&application_name=air_motor",
                "::1",
                5432,
                "cat",
                "",
                {{"connect_timeout", "3"}, {"application_name", "air_motor"}}},
        UrlCase{"postgresql://h/ignored?dbname=real", "h", std::nullopt, "real", "", {}},
        UrlCase{"postgresql://h:65535/d", "h", 65535, "d", "", {}},
        UrlCase{"postgresql://%2fsrv%2Fpg:1/d", "/srv/pg", 1, "d", "", {}}));

class LocationError_ : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(LocationError_, NamesTheLocationAndTheFault) {
    const auto& [text, fault] = GetParam();
    const auto parsed = ParseCatalogueLocation(text);
    ASSERT_TRUE(std::holds_alternative<LocationError>(parsed)) << text;
    const std::string& message = std::get<LocationError>(parsed).message;
    EXPECT_NE(message.find(text), std::string::npos) << message;
    EXPECT_NE(message.find(fault), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, LocationError_,
    ::testing::Values(
        std::pair{"postgresql://anna:secret@h/d", "~/.pgpass"},
        std::pair{"postgresql://h/d?password=secret", "PGPASSWORD"},
        std::pair{"postgresql://h/", "names no database"}, std::pair{"postgresql://h", "names no database"},
        std::pair{"postgresql://h:0/d", "1 to 65535"}, std::pair{"postgresql://h:65536/d", "1 to 65535"},
        std::pair{"postgresql://h:54x/d", "1 to 65535"}, std::pair{"postgresql://h:/d", "1 to 65535"},
        std::pair{"postgresql://h/d?port=+5", "1 to 65535"}, std::pair{"postgresql://[::1/d", "']'"},
        std::pair{"postgresql://[::1]x/d", "1 to 65535"}, std::pair{"postgresql://a,b/d", "one host"},
        std::pair{"postgresql://h/d#x", "fragment"}, std::pair{"postgresql://h/d%4", "percent-encoded"},
        std::pair{"postgresql://h/d%zz", "percent-encoded"},
        std::pair{"postgresql://h/d%ff", "percent-encoded"}, std::pair{"postgresql://@h/d", "user name"},
        std::pair{"postgresql://h/d?sslmode", "no value"},
        std::pair{"postgresql://h/d?sslmode=", "cannot take"},
        std::pair{"postgresql://h/d?options=-c%20x", "cannot take"},
        std::pair{"postgresql://h/d?Bad=1", "cannot take"}));

TEST(CatalogueLocation, AnythingElseIsAFileAndEmptyIsAnError) {
    for (const char* text : {"Zevodida.db", "/srv/postgresql/x.db", "postgresql:/x", "C:\\a\\b.db"}) {
        const auto parsed = ParseCatalogueLocation(text);
        ASSERT_TRUE(std::holds_alternative<CatalogueLocation>(parsed)) << text;
        EXPECT_FALSE(std::get<CatalogueLocation>(parsed).isPostgres());
        EXPECT_EQ(std::get<CatalogueLocation>(parsed).file, text);
    }
    EXPECT_TRUE(std::holds_alternative<LocationError>(ParseCatalogueLocation("")));
}

} // namespace catalogue_location_test
} // namespace
} // namespace airmotor::core
