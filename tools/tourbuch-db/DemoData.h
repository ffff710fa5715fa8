#pragma once
// The invented content of a demo database, made before anything is written.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace tourbuchdb {

inline constexpr int maxAddressCount = 65536;
inline constexpr int defaultAddressCount = 300;

// Address types the filter treats specially: only these carry music
// styles, and only clubs carry venue types.
inline constexpr int typeOrganiser = 1;
inline constexpr int typeClub = 3;

struct DemoAddress {
    int id = 0;
    int ref = 0;
    QString name;
    QString addition;
    QString street;
    QString country;
    QString postalCode;
    QString town;
    QString phone;
    QString fax;
    int type = 0;
    int sel = 0;
    QString memo;
    int studioId = 0;
    int bandId = 0;
    int labelId = 0;
    std::vector<int> regions;
    std::vector<int> styles;
    std::vector<int> venueTypes;
};

struct DemoCategory {
    int id;
    QString name;
    int sel;
};

struct DemoNote {
    int addressRef;
    QString memo;
};

// A studio or a band.
struct DemoRelated {
    int id = 0;
    QString name;
    std::optional<QString> text;
    std::optional<QByteArray> picture;
    QString caption;
};

struct DemoLabel {
    int id;
    QString name;
};

struct DemoDatabase {
    std::vector<DemoAddress> addresses;   // in ADRE_ID order
    std::vector<DemoCategory> types, regions, styles, venueTypes;
    std::vector<DemoNote> notes;
    std::vector<DemoRelated> studios, bands;
    std::vector<DemoLabel> labels;
};

// The same count and seed give the same database.
DemoDatabase makeDemoDatabase(int addressCount, std::uint32_t seed);

} // namespace tourbuchdb
