#include "DemoData.h"

#include "DemoPictures.h"
#include "Random.h"
#include "RtfText.h"

#include "data/NameOrder.h"

#include <QSet>
#include <algorithm>
#include <numeric>

namespace tourbuchdb {

namespace {

// --- word lists ---

struct Town {
    const char *name;
    const char *country;   // ADRE_LAND
    int postalFrom, postalTo;
    const char *areaCode;
    int region;            // RAUM_ID of its metropolitan region
};

const Town towns[] = {
    {"Berlin", "D", 10115, 14199, "030", 1},           {"Potsdam", "D", 14467, 14482, "0331", 1},
    {"Hamburg", "D", 20095, 22769, "040", 2},          {"Lüneburg", "D", 21335, 21397, "04131", 2},
    {"Norderstedt", "D", 22844, 22851, "040", 2},      {"München", "D", 80331, 81929, "089", 3},
    {"Freising", "D", 85354, 85356, "08161", 3},       {"Augsburg", "D", 86150, 86199, "0821", 3},
    {"Köln", "D", 50667, 51149, "0221", 4},            {"Bonn", "D", 53111, 53229, "0228", 4},
    {"Frankfurt am Main", "D", 60306, 60599, "069", 5}, {"Offenbach am Main", "D", 63065, 63075, "069", 5},
    {"Wiesbaden", "D", 65183, 65207, "0611", 5},       {"Darmstadt", "D", 64283, 64297, "06151", 5},
    {"Stuttgart", "D", 70173, 70629, "0711", 6},       {"Tübingen", "D", 72070, 72076, "07071", 6},
    {"Esslingen am Neckar", "D", 73728, 73734, "0711", 6}, {"Essen", "D", 45127, 45359, "0201", 7},
    {"Bochum", "D", 44787, 44894, "0234", 7},          {"Dortmund", "D", 44135, 44388, "0231", 7},
    {"Duisburg", "D", 47051, 47279, "0203", 7},        {"Düsseldorf", "D", 40210, 40629, "0211", 8},
    {"Neuss", "D", 41460, 41472, "02131", 8},          {"Leipzig", "D", 4103, 4357, "0341", 9},
    {"Halle (Saale)", "D", 6108, 6132, "0345", 9},     {"Dresden", "D", 1067, 1328, "0351", 10},
    {"Hannover", "D", 30159, 30669, "0511", 11},       {"Hildesheim", "D", 31134, 31141, "05121", 11},
    {"Bremen", "D", 28195, 28779, "0421", 12},         {"Oldenburg", "D", 26121, 26135, "0441", 12},
    {"Nürnberg", "D", 90402, 90491, "0911", 13},       {"Erlangen", "D", 91052, 91058, "09131", 13},
    {"Fürth", "D", 90762, 90768, "0911", 13},          {"Mannheim", "D", 68159, 68309, "0621", 14},
    {"Heidelberg", "D", 69115, 69126, "06221", 14},    {"Ludwigshafen am Rhein", "D", 67059, 67071, "0621", 14},
    {"Freiburg im Breisgau", "D", 79098, 79117, "0761", 15}, {"Lörrach", "D", 79539, 79541, "07621", 15},
    {"Wien", "A", 1010, 1230, "01", 16},               {"Mödling", "A", 2340, 2340, "02236", 16},
    {"Klosterneuburg", "A", 3400, 3400, "02243", 16},  {"Graz", "A", 8010, 8054, "0316", 17},
    {"Salzburg", "A", 5020, 5026, "0662", 18},         {"Hallein", "A", 5400, 5400, "06245", 18},
    {"Zürich", "CH", 8001, 8057, "044", 19},           {"Winterthur", "CH", 8400, 8411, "052", 19},
    {"Basel", "CH", 4001, 4059, "061", 20},            {"Bern", "CH", 3003, 3027, "031", 21},
    {"Biel/Bienne", "CH", 2500, 2505, "032", 21},
};

const char *const regionNames[] = {
    "Großraum Berlin",    "Großraum Hamburg",   "Großraum München",  "Großraum Köln/Bonn",
    "Großraum Frankfurt/Rhein-Main", "Großraum Stuttgart", "Ruhrgebiet", "Großraum Düsseldorf",
    "Großraum Leipzig/Halle", "Großraum Dresden", "Großraum Hannover", "Großraum Bremen",
    "Großraum Nürnberg",  "Rhein-Neckar",       "Großraum Freiburg", "Großraum Wien",
    "Großraum Graz",      "Großraum Salzburg",  "Großraum Zürich",   "Großraum Basel",
    "Großraum Bern",
};

struct CategorySeed {
    const char *name;
    int sel;
};

const CategorySeed typeSeeds[] = {
    {"Veranstalter", 1}, {"Medien", 1}, {"Club / Lokal", 1}, {"Festival", 1},
    {"Agentur", 1},      {"Kulturamt", 0}, {"Plattenfirma", 1},
};
// Weights of the address types 1..7 in percent.
const int typeWeights[] = {28, 8, 36, 12, 9, 4, 3};

const CategorySeed styleSeeds[] = {
    {"Rock", 1},       {"Pop", 1},      {"Jazz", 1},       {"Blues", 1},        {"Folk", 1},
    {"Metal", 1},      {"Punk", 1},     {"Liedermacher", 1}, {"Weltmusik", 1},  {"Klassik", 1},
    {"Country", 1},    {"Reggae", 1},   {"Hip-Hop", 1},    {"Elektronik", 1},   {"Indie", 1},
    {"Soul / Funk", 1}, {"Schlager", 0}, {"Volksmusik", 0}, {"Gospel", 1},      {"Swing", 1},
};

const CategorySeed venueSeeds[] = {
    {"Kneipe", 1},  {"Club", 1},          {"Halle", 1},         {"Open Air", 1}, {"Theater", 1},
    {"Jugendzentrum", 1}, {"Kulturzentrum", 1}, {"Café", 1}, {"Kirche", 0},   {"Zelt", 1},
};

enum class Gender { Masculine, Feminine, Neuter };

struct Noun {
    const char *word;
    Gender gender;
    int venueType;   // LOKA_ID it suggests, 0 = none
};

using G = Gender;

const Noun placeNouns[] = {
    {"Keller", G::Masculine, 2},   {"Kneipe", G::Feminine, 1},    {"Club", G::Masculine, 2},
    {"Halle", G::Feminine, 3},     {"Bühne", G::Feminine, 0},     {"Werkstatt", G::Feminine, 7},
    {"Fabrik", G::Feminine, 7},    {"Mühle", G::Feminine, 7},     {"Scheune", G::Feminine, 0},
    {"Garage", G::Feminine, 2},    {"Kantine", G::Feminine, 1},   {"Saal", G::Masculine, 3},
    {"Hafen", G::Masculine, 0},    {"Bahnhof", G::Masculine, 7},  {"Speicher", G::Masculine, 3},
    {"Brauerei", G::Feminine, 1},  {"Mälzerei", G::Feminine, 7},  {"Schlachthof", G::Masculine, 7},
    {"Zeche", G::Feminine, 3},     {"Schuppen", G::Masculine, 2}, {"Wirtshaus", G::Neuter, 1},
    {"Ballhaus", G::Neuter, 3},    {"Kesselhaus", G::Neuter, 3},  {"Lokschuppen", G::Masculine, 3},
    {"Gießerei", G::Feminine, 7},  {"Weberei", G::Feminine, 7},   {"Zollhaus", G::Neuter, 7},
    {"Theater", G::Neuter, 5},     {"Kino", G::Neuter, 5},        {"Café", G::Neuter, 8},
    {"Kontor", G::Neuter, 2},      {"Depot", G::Neuter, 3},       {"Stellwerk", G::Neuter, 2},
    {"Pumpwerk", G::Neuter, 7},    {"Sudhaus", G::Neuter, 1},     {"Eck", G::Neuter, 1},
};

const Noun animals[] = {
    {"Hirsch", G::Masculine, 0}, {"Adler", G::Masculine, 0}, {"Stier", G::Masculine, 0},
    {"Fuchs", G::Masculine, 0},  {"Esel", G::Masculine, 0},  {"Biber", G::Masculine, 0},
    {"Kater", G::Masculine, 0},  {"Hahn", G::Masculine, 0},  {"Katze", G::Feminine, 0},
    {"Eule", G::Feminine, 0},    {"Gans", G::Feminine, 0},   {"Taube", G::Feminine, 0},
    {"Ente", G::Feminine, 0},    {"Krähe", G::Feminine, 0},  {"Lamm", G::Neuter, 0},
    {"Pferd", G::Neuter, 0},     {"Krokodil", G::Neuter, 0}, {"Kamel", G::Neuter, 0},
    {"Walross", G::Neuter, 0},
};

const char *const adjectiveStems[] = {
    "Alt",   "Neu",   "Rot",    "Blau",    "Grün",     "Schwarz", "Weiß",   "Groß",  "Klein",
    "Wild",  "Schräg", "Laut",  "Krumm",   "Bunt",     "Golden",  "Rostig", "Heiß",  "Kalt",
    "Lustig", "Wach", "Schief", "Still",   "Hell",     "Fröhlich", "Verrückt",
};

struct StyleWord {
    const char *word;
    int style;   // STIL_ID it stands for, 0 = none
};

const StyleWord styleWords[] = {
    {"Jazz", 3},   {"Blues", 4},   {"Rock", 1},   {"Folk", 5},    {"Punk", 7},
    {"Metal", 6},  {"Soul", 16},   {"Swing", 20}, {"Reggae", 12}, {"Lieder", 8},
    {"Gospel", 19}, {"Pop", 2},    {"Musik", 0},  {"Kultur", 0},  {"Kleinkunst", 0},
};

const char *const surnames[] = {
    "Müller",  "Schmidt", "Schneider", "Fischer", "Weber",    "Meyer",    "Wagner",  "Becker",
    "Schulz",  "Hoffmann", "Schäfer",  "Koch",    "Bauer",    "Richter",  "Klein",   "Wolf",
    "Schröder", "Neumann", "Schwarz",  "Zimmermann", "Braun", "Krüger",   "Hartmann", "Lange",
    "Werner",  "Schmitz", "Krause",    "Lehmann", "Köhler",   "Herrmann", "König",   "Walter",
    "Huber",   "Kaiser",  "Fuchs",     "Peters",  "Scholz",   "Möller",   "Weiß",    "Jung",
    "Hahn",    "Vogel",   "Friedrich", "Keller",  "Günther",  "Berger",   "Winkler", "Roth",
    "Lorenz",  "Baumann", "Albrecht",  "Schuster", "Ludwig",  "Böhm",     "Winter",  "Krämer",
    "Jäger",   "Sommer",  "Groß",      "Seidel",  "Brandt",   "Haas",     "Graf",    "Ziegler",
    "Kühn",    "Engel",   "Horn",      "Bergmann", "Voigt",   "Pfeiffer", "Gruber",  "Steiner",
    "Moser",   "Hofer",   "Leitner",   "Brunner", "Egger",    "Gerber",   "Widmer",  "Baumgartner",
};

const char *const firstNames[] = {
    "Anna",  "Jens",  "Petra",  "Michael", "Ute",     "Stefan", "Sabine", "Thomas", "Claudia",
    "Ralf",  "Birgit", "Jürgen", "Katrin", "Uwe",     "Heike",  "Andreas", "Susanne", "Frank",
    "Martina", "Björn", "Jörg",  "Dörte",  "Günter",  "Renée",  "Özlem",  "Lukas",  "Käthe",
};

const char *const acronyms[] = {"AJZ", "JUZ", "KFZ", "KuBa", "E-Werk", "KuFa", "MuK", "UJZ", "KiK", "SUB", "ZAKK"};

const char *const mediaWords[] = {
    "Klangwelt", "Tonspur",  "Nachtschwärmer", "Lautsprecher", "Taktstock", "Bühnenrand",
    "Backstage", "Hallraum", "Notenschlüssel", "Saitensprung", "Gehörgang", "Ohrwurm",
    "Plattenteller", "Nachtfalter", "Feedback", "Leisetreter", "Querklang", "Tonleiter",
    "Dreiklang", "Fernweh", "Rückkopplung",
};

const char *const festivalWords[] = {"Wach", "Lärm", "Matsch", "Sonne", "Regen", "Musik", "Krach", "Wahnsinn"};
const char *const festivalPlacesIm[] = {"Park", "Hof", "Schloss", "Garten", "Hafen", "Wald", "Tal", "Stadtpark"};
const char *const festivalPlacesAm[] = {"See", "Rhein", "Main", "Neckar", "Fluss", "Markt", "Berg", "Deich", "Kanal"};
const char *const festivalEvents[] = {"Sommerfestival", "Kulturnacht", "Musiknacht", "Straßenfest", "Open Air"};

const char *const streets[] = {
    "Hauptstraße", "Bahnhofstraße", "Gartenstraße", "Schulstraße", "Am Hafen", "Kastanienallee",
    "Lindenstraße", "Mühlenweg", "Am Markt", "Industriestraße", "Schlossgasse", "Hafenstraße",
    "Brauhausgasse", "Kirchplatz", "Alte Landstraße", "Rosenweg", "Bergstraße", "Goethestraße",
    "Schillerplatz", "Königstraße", "Marktgasse", "Theaterplatz", "Uferweg", "Am Schlachthof",
    "Kesselhausweg", "Zechenstraße", "Güterbahnhofstraße", "Wiesenweg", "Fabrikstraße", "Webergasse",
};

const char *const months[] = {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli",
                              "August", "September", "Oktober", "November", "Dezember"};

// Names the demo always has, for what sorting and searching must handle:
// umlauts first, "ß", lower case, leading digits and punctuation.
struct Showcase {
    const char *name;
    int type;
    const char *town;   // "" = any
};

const Showcase showcases[] = {
    {"3 Tage Wach Festival", 4, ""},   {"Ärger im Keller", 3, ""},     {"Alte Mälzerei", 3, ""},
    {"Straßenmusik e.V.", 1, ""},      {"blues garage", 3, ""},        {"ZAK Zürich", 3, "Zürich"},
    {"'s Beisl", 3, "Wien"},           {"Élysée Musikbar", 3, "Basel"}, {"100 Dezibel Agentur", 5, ""},
    {"Öko-Bühne im Hof", 3, "Graz"},   {"ABC Konzerte", 1, ""},        {"uff Kultur e.V.", 1, ""},
};

// The studio record number the demo leaves out, so that an address can
// name a studio that does not exist.
constexpr int missingStudioId = 13;
constexpr int studioCount = 24;
constexpr int bandCount = 32;
constexpr int labelCount = 10;

QString str(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Only the case and ß/ss differences the name order ignores; the final
// check after sorting catches anything this misses.
QString nameKey(const QString &name)
{
    QString key = name.toCaseFolded();
    key.replace(QChar(0xDF), QLatin1String("ss"));
    return key;
}

QString adjective(const char *stem, Gender gender)
{
    switch (gender) {
    case Gender::Masculine: return str(stem) + QLatin1String("er");
    case Gender::Feminine: return str(stem) + QLatin1String("e");
    case Gender::Neuter: return str(stem) + QLatin1String("es");
    }
    return str(stem);
}

QString possessive(const QString &firstName)
{
    const QChar last = firstName.back();
    return firstName + (last == QLatin1Char('s') || last == QLatin1Char('z') ? QLatin1String("'")
                                                                               : QLatin1String("s"));
}

QString listing(const QStringList &items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" und ") + items.back();
}

// --- the generator ---

struct GeneratedName {
    QString name;
    int styleHint = 0;
    int venueHint = 0;
};

class Generator {
public:
    explicit Generator(std::uint32_t seed) : m_random(seed) {}
    DemoDatabase make(int addressCount);

private:
    template <typename T, std::size_t N>
    const T &pick(const T (&items)[N]) { return items[m_random.below(std::uint32_t(N))]; }

    int pickType();
    const Town &pickTown(const char *name);
    GeneratedName nameFor(int type, const Town &town);
    GeneratedName clubName(const Town &town);
    QString uniqueName(GeneratedName generated, int type, const Town &town, GeneratedName &used);
    QString personName();
    QString phoneNumber(const Town &town);
    void fillContact(DemoAddress &address, const Town &town);
    QString addition(int type, const Town &town);
    void fillLinks(DemoAddress &address, const Town &town, const GeneratedName &name);
    QString description(const DemoAddress &address);
    QString styleText(const DemoAddress &address) const;
    void makeUniqueUnderNameOrder(std::vector<DemoAddress> &addresses);
    void assignReferences(std::vector<DemoAddress> &addresses);
    void makeRelatedRecords(DemoDatabase &db);
    void relateAddresses(std::vector<DemoAddress> &addresses);
    void makeNotes(DemoDatabase &db);

    Random m_random;
    QSet<QString> m_nameKeys;
    std::vector<DemoCategory> m_styles;
};

int Generator::pickType()
{
    int roll = int(m_random.below(100));
    for (int type = 1; type <= int(std::size(typeWeights)); ++type) {
        roll -= typeWeights[type - 1];
        if (roll < 0)
            return type;
    }
    return typeClub;
}

const Town &Generator::pickTown(const char *name)
{
    for (const Town &town : towns)
        if (qstrcmp(town.name, name) == 0)
            return town;
    return pick(towns);
}

GeneratedName Generator::clubName(const Town &town)
{
    const Noun &noun = pick(placeNouns);
    const StyleWord &style = pick(styleWords);
    const QString compound = str(style.word) + str(noun.word).toLower();
    const QString townName = str(town.name);
    switch (m_random.below(9)) {
    case 0: return {adjective(pick(adjectiveStems), noun.gender) + QLatin1Char(' ') + str(noun.word), 0, noun.venueType};
    case 1: return {str(noun.word) + QLatin1Char(' ') + townName, 0, noun.venueType};
    case 2: return {compound + QLatin1Char(' ') + townName, style.style, noun.venueType};
    case 3: return {adjective(pick(adjectiveStems), noun.gender) + QLatin1Char(' ') + compound, style.style, noun.venueType};
    case 4: {
        const Noun &animal = pick(animals);
        const QString preposition = animal.gender == Gender::Feminine ? QStringLiteral("Zur") : QStringLiteral("Zum");
        return {preposition + QLatin1Char(' ') + str(pick(adjectiveStems)) + QLatin1String("en ") + str(animal.word), 0, 1};
    }
    case 5: return {possessive(str(pick(firstNames))) + QLatin1Char(' ') + str(noun.word), 0, noun.venueType};
    case 6: return {str(pick(acronyms)) + QLatin1Char(' ') + townName, 0, 6};
    case 7: return {(str(style.word) + QLatin1Char(' ') + str(noun.word)).toLower(), style.style, noun.venueType};
    default: return {QStringLiteral("Café ") + str(pick(surnames)), 0, 8};
    }
}

GeneratedName Generator::nameFor(int type, const Town &town)
{
    const QString townName = str(town.name);
    const StyleWord &style = pick(styleWords);
    const QString surname = str(pick(surnames));
    switch (type) {
    case 1:
        switch (m_random.below(8)) {
        case 0: return {QStringLiteral("Konzertbüro ") + surname};
        case 1: return {surname + QStringLiteral(" Konzerte")};
        case 2: return {surname + QStringLiteral(" & ") + str(pick(surnames)) + QStringLiteral(" Live")};
        case 3: return {QStringLiteral("Kulturverein ") + townName + QStringLiteral(" e.V.")};
        case 4: return {str(style.word) + QStringLiteral("freunde ") + townName + QStringLiteral(" e.V."), style.style};
        case 5: return {str(style.word) + QStringLiteral("initiative ") + townName, style.style};
        case 6: return {QStringLiteral("Förderverein ") + str(style.word) + str(pick(placeNouns).word).toLower()
                            + QLatin1Char(' ') + townName + QStringLiteral(" e.V."), style.style};
        default: return {QStringLiteral("Konzertdirektion ") + personName()};
        }
    case 2:
        switch (m_random.below(6)) {
        case 0: return {QStringLiteral("Radio ") + townName};
        case 1: return {QStringLiteral("Stadtmagazin ") + townName};
        case 2: return {str(pick(mediaWords)) + QStringLiteral(" Magazin")};
        case 3: return {QStringLiteral("Kulturradio ") + townName};
        case 4: return {townName + QStringLiteral(" live")};
        default: return {str(pick(mediaWords)) + QStringLiteral(" – Zeitschrift für ") + m_styles[m_random.below(std::uint32_t(m_styles.size()))].name};
        }
    case 4:
        switch (m_random.below(6)) {
        case 0: return {str(style.word) + QStringLiteral("festival ") + townName, style.style};
        case 1: return {str(pick(festivalEvents)) + QLatin1Char(' ') + townName};
        case 2: return {QStringLiteral("%1. ").arg(m_random.between(1, 40)) + str(style.word) + QStringLiteral("festival ") + townName, style.style};
        case 3: return {QStringLiteral("%1 Tage ").arg(m_random.between(2, 5)) + str(pick(festivalWords))
                            + (m_random.percent(50) ? QStringLiteral(" Festival") : QString())};
        case 4: {
            const DemoCategory &s = m_styles[m_random.below(std::uint32_t(m_styles.size()))];
            return {s.name + QStringLiteral(" im ") + str(pick(festivalPlacesIm)) + QLatin1Char(' ') + townName, s.id};
        }
        default: {
            const DemoCategory &s = m_styles[m_random.below(std::uint32_t(m_styles.size()))];
            return {s.name + QStringLiteral(" am ") + str(pick(festivalPlacesAm)), s.id};
        }
        }
    case 5:
        switch (m_random.below(6)) {
        case 0: return {QStringLiteral("Agentur ") + surname};
        case 1: return {surname + QStringLiteral(" Booking")};
        case 2: return {surname + QStringLiteral(" & ") + str(pick(surnames)) + QStringLiteral(" Konzertagentur")};
        case 3: return {str(pick(mediaWords)) + QStringLiteral(" Artists")};
        case 4: return {QStringLiteral("Tourneebüro ") + surname};
        default: return {QStringLiteral("Künstlervermittlung ") + personName()};
        }
    case 6:
        switch (m_random.below(3)) {
        case 0: return {QStringLiteral("Kulturamt ") + townName};
        case 1: return {QStringLiteral("Kulturbüro ") + townName};
        default: return {QStringLiteral("Amt für Kultur und Freizeit ") + townName};
        }
    case 7:
        switch (m_random.below(3)) {
        case 0: return {str(pick(mediaWords)) + QStringLiteral(" Records")};
        case 1: return {surname + QStringLiteral(" Musikverlag")};
        default: return {QStringLiteral("Label ") + str(pick(mediaWords))};
        }
    default:
        return clubName(town);
    }
}

// A name no other address has (as far as the name order is concerned):
// a few fresh tries, then the town, then a number.
QString Generator::uniqueName(GeneratedName generated, int type, const Town &town, GeneratedName &used)
{
    for (int attempt = 0; attempt < 6; ++attempt) {
        if (!m_nameKeys.contains(nameKey(generated.name)))
            break;
        generated = nameFor(type, town);
    }
    QString name = generated.name;
    if (m_nameKeys.contains(nameKey(name)) && !name.contains(str(town.name)))
        name += QStringLiteral(" (") + str(town.name) + QLatin1Char(')');
    const QString base = name;
    for (int number = 2; m_nameKeys.contains(nameKey(name)); ++number)
        name = base + QStringLiteral(" %1").arg(number);
    m_nameKeys.insert(nameKey(name));
    used = generated;
    used.name = name;
    return name;
}

QString Generator::personName()
{
    return str(pick(firstNames)) + QLatin1Char(' ') + str(pick(surnames));
}

QString Generator::phoneNumber(const Town &town)
{
    QString digits = QString::number(m_random.between(2, 9));
    const int length = m_random.between(5, 7);
    while (digits.size() < length)
        digits += QString::number(m_random.below(10));
    return str(town.areaCode) + QLatin1Char(' ') + digits;
}

void Generator::fillContact(DemoAddress &address, const Town &town)
{
    address.country = str(town.country);
    address.town = str(town.name);
    const int digits = address.country == QLatin1String("D") ? 5 : 4;
    address.postalCode = QStringLiteral("%1").arg(m_random.between(town.postalFrom, town.postalTo), digits, 10, QLatin1Char('0'));
    QString street = str(pick(streets));
    if (address.country == QLatin1String("CH"))
        street.replace(QChar(0xDF), QLatin1String("ss"));   // Swiss spelling
    street += QLatin1Char(' ') + QString::number(m_random.between(1, 180));
    if (m_random.percent(8))
        street += QLatin1Char(char('a' + m_random.below(3)));
    address.street = street;

    switch (m_random.below(4)) {
    case 0: {
        // Switchboard and fax extension of one number.
        const QString base = phoneNumber(town);
        address.phone = base + QStringLiteral("-0");
        address.fax = base + QStringLiteral("-%1").arg(m_random.between(1, 4) * 10);
        break;
    }
    case 1:
        address.phone = phoneNumber(town);
        break;
    default:
        address.phone = phoneNumber(town);
        address.fax = phoneNumber(town);
        break;
    }
}

QString Generator::addition(int type, const Town &town)
{
    if (!m_random.percent(35))
        return QString();
    switch (type) {
    case 1: return m_random.percent(50) ? QStringLiteral("z. Hd. ") + personName() : QStringLiteral("Vorstand: ") + personName();
    case 2: return m_random.percent(50) ? QStringLiteral("Musikredaktion") : QStringLiteral("z. Hd. ") + personName();
    case 3: return m_random.percent(60) ? QStringLiteral("Booking: ") + personName() : QStringLiteral("Eingang Hinterhof");
    case 4: return m_random.percent(50) ? QStringLiteral("Festivalbüro") : QStringLiteral("c/o Kulturamt ") + str(town.name);
    case 5: return QStringLiteral("Inh. ") + personName();
    case 6: return QStringLiteral("Abteilung Veranstaltungen");
    default: return QStringLiteral("A&R: ") + personName();
    }
}

void Generator::fillLinks(DemoAddress &address, const Town &town, const GeneratedName &name)
{
    const auto addDistinct = [](std::vector<int> &ids, int id) {
        if (id > 0 && std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
    };

    address.regions.push_back(town.region);
    const int regionCount = 1 + int(m_random.percent(35)) + int(m_random.percent(15));
    while (int(address.regions.size()) < regionCount) {
        // Mostly a region of the same country.
        const Town &other = pick(towns);
        if (other.country == address.country || m_random.percent(20))
            addDistinct(address.regions, other.region);
    }

    if (address.type == typeOrganiser || address.type == typeClub) {
        const int count = m_random.between(1, 4);
        addDistinct(address.styles, name.styleHint);
        while (int(address.styles.size()) < count)
            addDistinct(address.styles, int(1 + m_random.below(std::size(styleSeeds))));
    }
    if (address.type == typeClub) {
        const int count = m_random.between(0, 2);
        if (count > 0)
            addDistinct(address.venueTypes, name.venueHint);
        while (int(address.venueTypes.size()) < count)
            addDistinct(address.venueTypes, int(1 + m_random.below(std::size(venueSeeds))));
    }
    std::sort(address.regions.begin(), address.regions.end());
    std::sort(address.styles.begin(), address.styles.end());
    std::sort(address.venueTypes.begin(), address.venueTypes.end());
}

QString Generator::styleText(const DemoAddress &address) const
{
    QStringList names;
    for (int id : address.styles)
        names << m_styles[std::size_t(id - 1)].name;
    return listing(names);
}

QString Generator::description(const DemoAddress &address)
{
    RtfText rtf;
    rtf.heading(address.name);
    const QString town = address.town;
    const int year = m_random.between(1968, 2003);
    switch (address.type) {
    case 1:
        rtf.paragraph(QStringLiteral("Veranstaltet seit %1 Konzerte in %2 und Umgebung, vor allem %3. "
                                     "Bewerbungen bitte mit Hörprobe, Pressetext und Fotos.")
                          .arg(year).arg(town, styleText(address)));
        rtf.italicParagraph(QStringLiteral("Ansprechpartner: %1, am besten dienstags bis donnerstags.").arg(personName()));
        break;
    case 2:
        rtf.paragraph(QStringLiteral("%1 berichtet über Konzerte und die Musikszene in %2 und Umgebung: "
                                     "Termine, Vorberichte und Rezensionen.").arg(address.name, town));
        rtf.labelledParagraph(QStringLiteral("Auflage:"), QStringLiteral("%1 Exemplare").arg(m_random.between(2, 60) * 500));
        rtf.italicParagraph(QStringLiteral("Tonträger und Pressematerial bitte an die Redaktion schicken."));
        break;
    case 3: {
        const int capacity = m_random.between(4, 80) * 10;
        switch (m_random.below(3)) {
        case 0:
            rtf.paragraph(QStringLiteral("Seit %1 eine feste Adresse für Live-Musik in %2: rund %3 Plätze, "
                                         "eigene PA und Lichtanlage, etwa %4 Konzerte im Jahr.")
                              .arg(year).arg(town).arg(capacity).arg(m_random.between(20, 150)));
            break;
        case 1:
            rtf.paragraph(QStringLiteral("Gemütlicher Laden mit kleiner Bühne mitten in %1. Platz für bis zu %2 Gäste.")
                              .arg(town).arg(capacity));
            break;
        default:
            rtf.paragraph(QStringLiteral("Der ehemalige Industriebau in %1 ist seit %2 ein Kulturort mit Bühne, "
                                         "Biergarten und Bandzimmer. Kapazität: %3 Personen.")
                              .arg(town).arg(year).arg(capacity));
            break;
        }
        rtf.labelledParagraph(QStringLiteral("Stilrichtungen:"), styleText(address));
        static const char *const technik[] = {"2 kW PA, 8 Monitorwege, Backline nach Absprache",
                                              "kleine Gesangsanlage, kein Schlagzeug vorhanden",
                                              "eigener Tontechniker, Flügel vorhanden"};
        rtf.labelledParagraph(QStringLiteral("Technik:"), str(pick(technik)));
        static const char *const fees[] = {"Tür-Deal", "Festgage nach Absprache", "Hutkonzert", "70 % der Abendkasse"};
        const int entry = m_random.between(5, 15);
        rtf.italicParagraph(QStringLiteral("Gage: %1. Eintritt meist %2 bis %3 €.")
                                .arg(str(pick(fees))).arg(entry).arg(entry + m_random.between(3, 10)));
        break;
    }
    case 4: {
        const int month = int(m_random.below(12));
        rtf.paragraph(QStringLiteral("Jährlich im %1 in %2: %3 Bühnen, rund %4 Besucher.")
                          .arg(str(months[month]), town)
                          .arg(m_random.between(1, 5))
                          .arg(m_random.between(5, 200) * 100));
        rtf.labelledParagraph(QStringLiteral("Bewerbung:"),
                              QStringLiteral("bis Ende %1, nur mit Hörprobe.").arg(str(months[(month + 7) % 12])));
        rtf.italicParagraph(QStringLiteral("Campingplatz und Catering für Bands vorhanden."));
        break;
    }
    case 5:
        rtf.paragraph(QStringLiteral("Vermittelt Künstler an Clubs, Festivals und Stadtfeste in Deutschland, "
                                     "Österreich und der Schweiz."));
        rtf.italicParagraph(QStringLiteral("Künstlerliste auf Anfrage."));
        break;
    case 6:
        rtf.paragraph(QStringLiteral("Städtische Kulturförderung in %1: Sommerkonzerte im Park, Stadtfest, "
                                     "Zuschüsse für Vereine.").arg(town));
        rtf.labelledParagraph(QStringLiteral("Zuschüsse:"),
                              QStringLiteral("bis %1 € je Veranstaltung").arg(m_random.between(2, 30) * 100));
        break;
    default:
        rtf.paragraph(QStringLiteral("Unabhängiges Label aus %1, veröffentlicht seit %2 auf CD und Vinyl.").arg(town).arg(year));
        rtf.italicParagraph(QStringLiteral("Demos nur per Post, keine Rücksendung."));
        break;
    }
    return rtf.document();
}

// The key set misses names the collator still finds equal; give those the
// town or a number and sort again until every name is its own.
void Generator::makeUniqueUnderNameOrder(std::vector<DemoAddress> &addresses)
{
    const auto byName = [](const DemoAddress &a, const DemoAddress &b) { return data::compareNames(a.name, b.name) < 0; };
    for (;;) {
        std::sort(addresses.begin(), addresses.end(), byName);
        bool renamed = false;
        for (std::size_t i = 1; i < addresses.size(); ++i) {
            if (data::compareNames(addresses[i - 1].name, addresses[i].name) != 0)
                continue;
            DemoAddress &later = addresses[i];
            const QString base = later.name + QStringLiteral(" (") + later.town + QLatin1Char(')');
            QString name = base;
            for (int number = 2; m_nameKeys.contains(nameKey(name)); ++number)
                name = base + QStringLiteral(" %1").arg(number);
            m_nameKeys.insert(nameKey(name));
            later.name = name;
            renamed = true;
        }
        if (!renamed)
            return;
    }
}

void Generator::assignReferences(std::vector<DemoAddress> &addresses)
{
    // Permanent references: from 1000 on, with the gaps of deleted
    // addresses, in no relation to the list position.
    std::vector<int> refs;
    refs.reserve(addresses.size());
    int next = 1000;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        refs.push_back(next);
        next += 1 + (m_random.percent(10) ? m_random.between(1, 5) : 0);
    }
    m_random.shuffle(refs);
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        addresses[i].id = int(i);
        addresses[i].ref = refs[i];
    }
}

void Generator::makeRelatedRecords(DemoDatabase &db)
{
    static const char *const studioPatterns[] = {"Tonstudio %1", "%2 Studio", "Klangwerk %3", "Tonmeisterei %1", "Studio am %4"};
    static const char *const bandPlurals[] = {"Hunde", "Nachbarn", "Schrauben", "Kater", "Socken", "Ratten",
                                              "Gitarren", "Herzen", "Brüder", "Schwestern", "Zwerge",
                                              "Matrosen", "Geister", "Nachteulen", "Kohlköpfe"};
    QSet<QString> used;
    const auto fresh = [&used](const QString &candidate) {
        QString name = candidate;
        for (int number = 2; used.contains(name); ++number)
            name = candidate + QStringLiteral(" %1").arg(number);
        used.insert(name);
        return name;
    };

    // Which of them lack a text or a picture follows their number, so every
    // combination is there whatever the seed.
    int id = 0;
    for (int i = 0; i < studioCount; ++i) {
        if (++id == missingStudioId)
            ++id;
        const Town &town = pick(towns);
        DemoRelated studio;
        studio.id = id;
        studio.name = fresh(str(pick(studioPatterns))
                                .replace(QLatin1String("%1"), str(pick(surnames)))
                                .replace(QLatin1String("%2"), str(pick(mediaWords)))
                                .replace(QLatin1String("%3"), str(town.name))
                                .replace(QLatin1String("%4"), str(pick(festivalPlacesAm))));
        if (i % 6 != 4)
            studio.text = RtfText()
                              .heading(studio.name)
                              .paragraph(QStringLiteral("Aufnahmestudio in %1 mit %2-Spur-Technik, großem Aufnahmeraum "
                                                        "und Flügel. Tagessatz ab %3 €.")
                                             .arg(str(town.name))
                                             .arg(8 << m_random.below(4))
                                             .arg(m_random.between(3, 12) * 50))
                              .italicParagraph(QStringLiteral("Übernachtung für Bands im Haus möglich."))
                              .document();
        if (i % 5 != 2)
            studio.picture = drawPicture(PictureMotif::Mixer, studio.name, m_random);
        studio.caption = QStringLiteral("%1, %2 – Regie mit Mischpult").arg(studio.name, str(town.name));
        db.studios.push_back(std::move(studio));
    }

    for (int i = 0; i < bandCount; ++i) {
        DemoRelated band;
        band.id = i + 1;
        switch (m_random.below(3)) {
        case 0: band.name = QStringLiteral("Die ") + str(pick(adjectiveStems)) + QStringLiteral("en ") + str(pick(bandPlurals)); break;
        case 1: band.name = personName() + QStringLiteral(" & die ") + str(pick(bandPlurals)); break;
        default: band.name = str(pick(styleWords).word) + str(pick(festivalPlacesIm)).toLower() + QStringLiteral(" Quartett"); break;
        }
        band.name = fresh(band.name);
        if (i % 7 != 5)
            band.text = RtfText()
                            .heading(band.name)
                            .paragraph(QStringLiteral("Gegründet %1, seitdem über %2 Konzerte in Deutschland, Österreich "
                                                      "und der Schweiz. Programm: %3.")
                                           .arg(m_random.between(1975, 2004))
                                           .arg(m_random.between(1, 12) * 50)
                                           .arg(m_styles[m_random.below(std::uint32_t(m_styles.size()))].name))
                            .italicParagraph(QStringLiteral("Gage nach Absprache, Technik-Rider auf Anfrage."))
                            .document();
        if (i % 4 != 3)
            band.picture = drawPicture(i % 2 ? PictureMotif::Stage : PictureMotif::Guitar, band.name, m_random);
        band.caption = QStringLiteral("%1 live").arg(band.name);
        db.bands.push_back(std::move(band));
    }

    for (int i = 0; i < labelCount; ++i) {
        static const char *const labelPatterns[] = {"%1 Records", "%1 Schallplatten", "Label %1", "%1 Musikverlag"};
        db.labels.push_back({i + 1, fresh(str(pick(labelPatterns)).arg(str(pick(mediaWords))))});
    }
}

void Generator::relateAddresses(std::vector<DemoAddress> &addresses)
{
    std::vector<int> studioIds;
    for (int id = 1; id <= studioCount + 1; ++id)
        if (id != missingStudioId)
            studioIds.push_back(id);

    // The first addresses (in generation order, so anywhere in the list)
    // show each kind of relation once; the rest are left to chance.
    enum Case { StudioOnly, BandOnly, StudioAndBand, LabelOnly, MissingStudio, Nothing, CaseCount };
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        DemoAddress &a = addresses[i];
        const int studio = m_random.pick(studioIds);
        const int band = m_random.between(1, bandCount);
        const int label = m_random.between(1, labelCount);
        switch (i < CaseCount ? Case(i) : CaseCount) {
        case StudioOnly: a.studioId = studio; break;
        case BandOnly: a.bandId = band; break;
        case StudioAndBand: a.studioId = studio; a.bandId = band; break;
        case LabelOnly: a.labelId = label; break;
        case MissingStudio: a.studioId = missingStudioId; break;
        case Nothing: break;
        case CaseCount:
            a.studioId = m_random.percent(8) ? studio : 0;
            a.bandId = m_random.percent(10) ? band : 0;
            a.labelId = m_random.percent(6) ? label : 0;
            break;
        }
    }
}

void Generator::makeNotes(DemoDatabase &db)
{
    static const char *const noteTexts[] = {
        "Angerufen, Rückruf in zwei Wochen. Demo ist angekommen.",
        "Gage: 400 € plus Übernachtung, Termin im Herbst möglich.",
        "Hat abgesagt – dieses Jahr keine Gastbands mehr.",
        "Bühne sehr klein: nur Duo oder Trio, kein Schlagzeug.",
        "Pressetext und Fotos geschickt; nachfragen!",
        "Sehr nette Leute, Catering super. Wieder anfragen.",
    };
    const std::size_t count = std::min<std::size_t>(db.addresses.size(), std::size(noteTexts));
    std::vector<std::size_t> chosen(db.addresses.size());
    std::iota(chosen.begin(), chosen.end(), 0);
    m_random.shuffle(chosen);
    chosen.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const DemoAddress &a = db.addresses[chosen[i]];
        RtfText rtf;
        if (i % 2 == 0)
            rtf.labelledParagraph(QStringLiteral("Wichtig:"), str(noteTexts[i]));
        else
            rtf.paragraph(str(noteTexts[i]));
        rtf.italicParagraph(QStringLiteral("Notiz zu %1").arg(a.name));
        db.notes.push_back({a.ref, rtf.document()});
    }
    std::sort(db.notes.begin(), db.notes.end(), [](const DemoNote &a, const DemoNote &b) { return a.addressRef < b.addressRef; });
}

DemoDatabase Generator::make(int addressCount)
{
    DemoDatabase db;
    const auto categories = [](const auto &seeds) {
        std::vector<DemoCategory> list;
        for (const CategorySeed &seed : seeds)
            list.push_back({int(list.size()) + 1, str(seed.name), seed.sel});
        return list;
    };
    db.types = categories(typeSeeds);
    db.styles = categories(styleSeeds);
    db.venueTypes = categories(venueSeeds);
    for (const char *name : regionNames)
        db.regions.push_back({int(db.regions.size()) + 1, str(name), 1});
    db.regions[16].sel = 0;   // Großraum Graz
    m_styles = db.styles;

    makeRelatedRecords(db);

    std::vector<DemoAddress> addresses(static_cast<std::size_t>(addressCount));
    m_nameKeys.reserve(addressCount);
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        DemoAddress &a = addresses[i];
        const bool showcase = i < std::size(showcases);
        a.type = showcase ? showcases[i].type : pickType();
        const Town &town = showcase ? pickTown(showcases[i].town) : pick(towns);
        GeneratedName name;
        if (showcase) {
            name = {str(showcases[i].name), 0, 0};
            m_nameKeys.insert(nameKey(name.name));
            a.name = name.name;
        } else {
            a.name = uniqueName(nameFor(a.type, town), a.type, town, name);
        }
        a.addition = addition(a.type, town);
        fillContact(a, town);
        a.sel = m_random.percent(60) ? 1 : 0;
        fillLinks(a, town, name);
        a.memo = description(a);
    }
    // Postal codes the filter cannot read as numbers.
    if (addresses.size() > 1)
        addresses[1].postalCode.clear();
    if (addresses.size() > 2)
        addresses[2].postalCode = QStringLiteral("unbek.");
    relateAddresses(addresses);
    makeUniqueUnderNameOrder(addresses);
    assignReferences(addresses);
    db.addresses = std::move(addresses);
    makeNotes(db);
    return db;
}

} // namespace

DemoDatabase makeDemoDatabase(int addressCount, std::uint32_t seed)
{
    return Generator(seed).make(addressCount);
}

} // namespace tourbuchdb
