#include "ListGenerator.h"

#include "listfile/ListText.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_set>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace corvane::listgen {

namespace {

// ---------------------------------------------------------------------------
// Random numbers: xoshiro256** seeded through splitmix64, so that the bytes
// depend on nothing but the seed (no std:: distribution, whose results differ
// between standard libraries).

class Random
{
public:
    explicit Random(quint64 seed)
    {
        quint64 x = seed;
        for (quint64 &word : m_state) {
            x += 0x9E3779B97F4A7C15ULL;
            quint64 z = x;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            word = z ^ (z >> 31);
        }
    }

    quint64 next()
    {
        const quint64 result = rotl(m_state[1] * 5, 7) * 9;
        const quint64 t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = rotl(m_state[3], 45);
        return result;
    }

    // Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }
    // Uniform in [0, n); n > 0.
    quint64 below(quint64 n) { return quint64((unsigned __int128)next() * n >> 64); }
    qint64 range(qint64 lo, qint64 hi) { return lo + qint64(below(quint64(hi - lo + 1))); }
    bool chance(double p) { return uniform() < p; }

    double normal()
    {
        const double u1 = 1.0 - uniform(); // (0, 1]
        const double u2 = uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }
    double logNormal(double median, double sigma) { return median * std::exp(sigma * normal()); }

    // Index into cumulative weights.
    template<size_t N> int pick(const std::array<double, N> &cumulative)
    {
        const double u = uniform() * cumulative[N - 1];
        return int(std::upper_bound(cumulative.begin(), cumulative.end(), u) - cumulative.begin());
    }

private:
    static quint64 rotl(quint64 x, int k) { return (x << k) | (x >> (64 - k)); }
    quint64 m_state[4];
};

template<size_t N> constexpr std::array<double, N> cumulate(std::array<double, N> weights)
{
    for (size_t i = 1; i < N; ++i)
        weights[i] += weights[i - 1];
    return weights;
}

// ---------------------------------------------------------------------------
// Windows-1252 bytes from the UTF-8 text of the word lists below, through the
// loader's own table (the word lists hold no letter outside the code page).

QByteArray toCp1252(const char *utf8)
{
    return corvane::encodeListText(QString::fromUtf8(utf8), corvane::ListEncoding::Windows1252);
}

// ---------------------------------------------------------------------------
// What kinds of folder a disk holds, and what each kind holds.

enum Theme : quint8 {
    Mixed,
    Documents,
    Photos,
    Music,
    Video,
    Programs,
    System,
    Mail,
    Cache,
    Projects,
    ThemeCount
};

struct Extension
{
    const char *name; // without the dot; empty: no extension
    double weight;
    double medianBytes;
    double sigma;
};

constexpr double KB = 1024.0, MB = 1024.0 * 1024.0, GB = 1024.0 * MB;

// clang-format off
const std::vector<Extension> kExtensions[ThemeCount] = {
    /* Mixed */ {{"docx", 10, 45 * KB, 1.0}, {"pdf", 10, 350 * KB, 1.4}, {"jpg", 14, 1.8 * MB, 0.8},
                 {"JPG", 6, 2.4 * MB, 0.6}, {"mp3", 6, 5 * MB, 0.4}, {"zip", 4, 8 * MB, 1.6},
                 {"exe", 3, 1.5 * MB, 1.5}, {"txt", 8, 3 * KB, 1.5}, {"lnk", 6, 1.5 * KB, 0.4},
                 {"xls", 6, 80 * KB, 1.1}, {"doc", 8, 60 * KB, 1.0}, {"avi", 1, 700 * MB, 0.8},
                 {"png", 4, 400 * KB, 1.2}, {"ini", 2, 1 * KB, 1.0}, {"rar", 2, 15 * MB, 1.5}},
    /* Documents */ {{"docx", 20, 45 * KB, 1.0}, {"doc", 15, 60 * KB, 1.0}, {"xls", 10, 80 * KB, 1.1},
                 {"xlsx", 8, 35 * KB, 1.0}, {"pdf", 20, 350 * KB, 1.4}, {"txt", 8, 3 * KB, 1.5},
                 {"rtf", 3, 40 * KB, 1.0}, {"ppt", 4, 1.5 * MB, 1.0}, {"pptx", 3, 2 * MB, 1.0},
                 {"odt", 2, 30 * KB, 1.0}, {"msg", 3, 60 * KB, 1.0}, {"zip", 2, 5 * MB, 1.5},
                 {"jpg", 2, 1.5 * MB, 0.8}},
    /* Photos */ {{"JPG", 45, 2.5 * MB, 0.6}, {"jpg", 30, 1.8 * MB, 0.7}, {"png", 5, 600 * KB, 1.2},
                 {"CR2", 5, 22 * MB, 0.3}, {"NEF", 3, 18 * MB, 0.3}, {"gif", 2, 80 * KB, 1.2},
                 {"bmp", 1, 3 * MB, 1.0}, {"MOV", 3, 120 * MB, 1.3}, {"psd", 1, 45 * MB, 1.0}},
    /* Music */ {{"mp3", 70, 5 * MB, 0.4}, {"wma", 10, 4 * MB, 0.4}, {"m4a", 8, 6 * MB, 0.4},
                 {"flac", 5, 30 * MB, 0.4}, {"jpg", 3, 80 * KB, 0.8}, {"m3u", 2, 1 * KB, 0.8},
                 {"wav", 2, 45 * MB, 0.6}},
    /* Video */ {{"avi", 25, 700 * MB, 0.8}, {"mp4", 25, 400 * MB, 1.1}, {"mkv", 10, 900 * MB, 0.7},
                 {"wmv", 10, 150 * MB, 1.0}, {"MOV", 10, 200 * MB, 1.2}, {"vob", 3, 1 * GB, 0.1},
                 {"iso", 2, 4.3 * GB, 0.3}, {"srt", 10, 60 * KB, 0.5}},
    /* Programs */ {{"exe", 15, 1.2 * MB, 1.5}, {"dll", 45, 300 * KB, 1.4}, {"ini", 5, 2 * KB, 1.0},
                 {"xml", 6, 10 * KB, 1.5}, {"txt", 4, 5 * KB, 1.0}, {"chm", 3, 800 * KB, 1.0},
                 {"cab", 2, 20 * MB, 1.0}, {"msi", 2, 30 * MB, 1.0}, {"dat", 5, 100 * KB, 2.0},
                 {"ocx", 3, 200 * KB, 1.0}, {"sys", 2, 60 * KB, 1.0}, {"png", 4, 8 * KB, 1.0},
                 {"ico", 4, 20 * KB, 1.0}},
    /* System */ {{"dat", 15, 50 * KB, 2.0}, {"log", 15, 30 * KB, 2.0}, {"tmp", 15, 20 * KB, 2.0},
                 {"db", 8, 2 * MB, 1.5}, {"ini", 8, 1 * KB, 1.0}, {"xml", 8, 8 * KB, 1.5},
                 {"lnk", 10, 1.5 * KB, 0.4}, {"etl", 5, 200 * KB, 1.0}, {"evtx", 3, 1 * MB, 1.0},
                 {"json", 8, 5 * KB, 1.5}, {"sqlite", 5, 1 * MB, 1.5}, {"vhd", 1, 8 * GB, 0.6}},
    /* Mail */ {{"eml", 60, 25 * KB, 1.3}, {"msg", 20, 60 * KB, 1.2}, {"pst", 4, 1.8 * GB, 0.9},
                 {"dbx", 8, 50 * MB, 1.2}, {"ost", 2, 3 * GB, 0.5}, {"vcf", 6, 1 * KB, 0.5}},
    /* Cache */ {{"", 40, 15 * KB, 1.8}, {"tmp", 20, 8 * KB, 1.5}, {"dat", 10, 20 * KB, 1.5},
                 {"jpg", 10, 40 * KB, 1.2}, {"gif", 5, 5 * KB, 1.0}, {"js", 8, 30 * KB, 1.3},
                 {"css", 4, 10 * KB, 1.0}, {"htm", 3, 20 * KB, 1.0}},
    /* Projects */ {{"psd", 12, 40 * MB, 1.2}, {"ai", 5, 5 * MB, 1.0}, {"dwg", 6, 2 * MB, 1.0},
                 {"cpp", 10, 15 * KB, 1.0}, {"h", 8, 4 * KB, 1.0}, {"c", 5, 12 * KB, 1.0},
                 {"zip", 8, 25 * MB, 1.5}, {"bak", 5, 2 * MB, 2.0}, {"pdf", 8, 500 * KB, 1.4},
                 {"docx", 5, 45 * KB, 1.0}, {"xls", 5, 80 * KB, 1.1}, {"txt", 5, 3 * KB, 1.5},
                 {"jpg", 8, 1.5 * MB, 0.8}, {"png", 5, 300 * KB, 1.2}, {"mpp", 2, 500 * KB, 1.0},
                 {"exe", 2, 2 * MB, 1.2}, {"vmdk", 1, 12 * GB, 0.7}},
};

// How many files a folder of each kind holds (median, spread).
const double kFilesMedian[ThemeCount] = {10, 14, 45, 12, 5, 18, 15, 40, 60, 16};
const double kFilesSigma[ThemeCount] = {1.1, 1.2, 1.0, 0.5, 1.0, 1.3, 1.3, 1.3, 1.2, 1.2};

// What kind a sub-folder of each kind is.
const std::array<double, ThemeCount> kChildThemes[ThemeCount] = {
    /* Mixed */ cumulate<ThemeCount>({20, 30, 20, 10, 3, 5, 10, 5, 3, 12}),
    /* Documents */ cumulate<ThemeCount>({5, 80, 5, 0, 0, 0, 0, 0, 0, 10}),
    /* Photos */ cumulate<ThemeCount>({0, 0, 98, 0, 2, 0, 0, 0, 0, 0}),
    /* Music */ cumulate<ThemeCount>({0, 0, 0, 100, 0, 0, 0, 0, 0, 0}),
    /* Video */ cumulate<ThemeCount>({0, 0, 20, 0, 80, 0, 0, 0, 0, 0}),
    /* Programs */ cumulate<ThemeCount>({0, 0, 0, 0, 0, 100, 0, 0, 0, 0}),
    /* System */ cumulate<ThemeCount>({0, 0, 0, 0, 0, 0, 85, 0, 15, 0}),
    /* Mail */ cumulate<ThemeCount>({0, 0, 0, 0, 0, 0, 0, 100, 0, 0}),
    /* Cache */ cumulate<ThemeCount>({0, 0, 0, 0, 0, 0, 0, 0, 100, 0}),
    /* Projects */ cumulate<ThemeCount>({0, 20, 10, 0, 0, 0, 0, 0, 0, 70}),
};

struct TopFolder
{
    const char *name;
    Theme theme;
};
const TopFolder kTopFolders[] = {
    {"Users", Mixed}, {"Documents and Settings", Mixed}, {"Program Files", Programs},
    {"Program Files (x86)", Programs}, {"Windows", System}, {"ProgramData", System},
    {"Fotos", Photos}, {"Musik", Music}, {"Videos", Video}, {"Projekte", Projects},
    {"Backup", Mixed}, {"Archiv 2008", Documents}, {"Scans", Documents}, {"Downloads", Mixed},
    {"Kunden", Documents}, {"Buchhaltung", Documents}, {"Lost files", Mixed},
    {"Recovered folder 1", Mixed}, {"$RECYCLE.BIN", Mixed}, {"Temp", Cache}, {"Mail", Mail},
    {"Games", Programs}, {"Família", Photos}, {"Clientes São Paulo", Documents},
    {"Œuvres complètes", Documents}, {"Søren", Mixed}, {"Daten Müller", Documents},
    {"Mes documents", Documents}, {"Mijn documenten", Documents}, {"Meus documentos", Documents},
    {"Mina dokument", Documents}, {"€ Rechnungen", Documents},
    {"Bilder", Photos}, {"Mes photos", Photos}, {"Minhas músicas", Music}, {"Filmer", Video},
    {"DCIM", Photos}, {"iTunes", Music}, {"Eigene Videos", Video}, {"Korrespondenz", Mail},
};

const std::vector<const char *> kFolderWords[ThemeCount] = {
    /* Mixed */ {"Documents", "Pictures", "My Music", "Desktop", "Old stuff", "New folder",
                 "New folder (2)", "misc", "Privat", "Arbeit", "Família", "Résumés", "Søknader",
                 "Jörg", "Anna", "Søren", "François", "Zoë", "João", "Admin", "Public", "Default",
                 "Åsa", "Björn", "Peña", "Work", "Personal", "Laptop", "Old PC", "USB Stick",
                 "Copy of Desktop", "Downloads", "Favorites", "Eigene Dateien", "Diversen",
                 "Ménage", "Šárka", "Žofie", "Ærø", "Ålesund tur"},
    /* Documents */ {"Documents", "Invoices", "Clients", "Drafts", "Final", "final FINAL",
                 "Scans", "Taxes", "Bank", "Receipts", "Recipes", "Rezepte", "Receitas",
                 "Kundenbriefe", "Steuer", "Verträge", "Angebote", "Belastingen", "Facturen",
                 "Offertes", "Projet Sécurité", "Séminaire", "Cotações", "Orçamentos",
                 "Contratos", "Relatórios", "Übersicht", "Präsentationen", "Thesis", "Uni",
                 "School", "Semester", "Cursussen", "Korrespondenz", "Lettres", "Brevs",
                 "Försäkring", "Hyresavtal", "Müller GmbH", "Dupont & Fils", "€ Belege",
                 "Kvitton", "Déclarations", "Notas fiscais", "Protokolle", "Bewerbungen"},
    /* Photos */ {"DCIM", "100CANON", "101MSDCF", "102_PANA", "Camera", "Camera Roll",
                 "Urlaub", "Vacation Spain", "Hochzeit Anna & Jörg", "Kids", "Christmas",
                 "Weihnachten", "Noël", "Jul", "Zomer", "Férias Açores", "Ski Åre", "Party",
                 "Edited", "RAW", "Export", "Best of", "Album", "Göteborg", "Malmö", "Zürich",
                 "München", "Köln", "São Paulo", "Montréal", "Besançon", "Šibenik", "Påsk",
                 "Geburtstag", "Aniversário", "Verjaardag", "Bröllop", "Strand", "Família Peña"},
    /* Music */ {"Björk", "Mötley Crüe", "Sigur Rós", "Café Tacuba", "Beyoncé", "Queensrÿche",
                 "Motörhead", "Die Ärzte", "Édith Piaf", "Jacques Brel", "ABBA", "The Beatles",
                 "Pink Floyd", "Bach", "Mozart", "Chopin", "Sérgio Mendes", "Caetano Veloso",
                 "Kent", "Roxette", "Doe Maar", "Greatest Hits", "Live in Zürich", "Homogenic",
                 "Unplugged", "Álbum branco", "Sommartider", "Näher", "Best of", "Disc 1",
                 "Disc 2", "Soundtrack", "Hörbücher", "Podcasts", "iTunes", "iTunes Media",
                 "Music", "Compilations", "Unknown Artist", "Unknown Album"},
    /* Video */ {"Videos", "Filme", "Films", "Movies", "Home videos", "Hochzeit", "Camcorder",
                 "VIDEO_TS", "Séries", "Serien", "Concert", "Kids", "Recorded TV",
                 "Vídeos Família", "Urlaub Mallorca", "Ålesund", "Clips", "Tutorials"},
    /* Programs */ {"Adobe", "Microsoft Office", "Office14", "Mozilla Firefox", "Common Files",
                 "Intuit", "Nero", "WinZip", "7-Zip", "Java", "jre6", "bin", "lib", "plugins",
                 "Resources", "locale", "de", "fr", "pt-BR", "sv", "nl", "Help", "Templates",
                 "Fonts", "Skins", "Reader 9.0", "Acrobat", "Steam", "steamapps", "common",
                 "Lexware", "DATEV", "Elster", "Sage", "components", "extensions", "x86", "x64",
                 "redist", "Updates"},
    /* System */ {"AppData", "Local", "Roaming", "LocalLow", "Microsoft", "Windows",
                 "Temporary Internet Files", "Content.IE5", "History", "Cookies", "Recent",
                 "Application Data", "Mozilla", "Firefox", "Profiles", "xk3j2a1d.default",
                 "Google", "Chrome", "User Data", "Default", "Packages", "Temp", "INetCache",
                 "Explorer", "Installer", "Logs", "CrashDumps", "Adobe", "Sun", "Java",
                 "Deployment", "System32", "SysWOW64", "drivers", "config", "winsxs",
                 "Prefetch", "assembly", "Fonts", "inf", "Panther", "SoftwareDistribution"},
    /* Mail */ {"Mail", "Outlook", "Outlook Express", "Thunderbird", "Inbox", "Sent", "Drafts",
                 "Archive", "Posteingang", "Gesendet", "Boîte de réception", "Envoyés",
                 "Caixa de entrada", "Inkorg", "Skickat", "Postvak IN", "Verzonden", "Junk",
                 "Kunden Müller", "Identities"},
    /* Cache */ {"Cache", "cache2", "entries", "Code Cache", "js", "GPUCache", "Cache_Data",
                 "0A", "1F", "3C", "7E", "B2", "doomed", "thumbnails", "Media Cache",
                 "Low", "IE", "tmp", "Temp", "~tmp"},
    /* Projects */ {"Projekte", "Projects", "Design", "Logo Café", "Entwürfe", "Source", "src",
                 "include", "Release", "Debug", "docs", "Docs", "Website", "Kunde Señor García",
                 "Angebot Straße 12", "Projeto Açaí", "Plans", "CAD", "Exports", "Assets",
                 "Old versions", "Archive", "v2", "Marketing", "Brochure", "Ausschreibung",
                 "Bauplan Küche", "Schéma"},
};

const char *const kDocNouns[] = {
    "Rechnung", "Invoice", "Report", "Brief", "Letter", "Angebot", "Offerte", "Factuur",
    "Facture", "Fatura", "Contrato", "Vertrag", "Résumé", "CV", "Lebenslauf", "Protokoll",
    "Minutes", "Budget", "Planning", "Présentation", "Präsentation", "Kalkulation", "Übersicht",
    "Liste", "Inventário", "Relatório", "Notes", "Anteckningar", "Ansökan", "Notulen",
    "Begroting", "Jahresabschluss", "Steuererklärung", "Déclaration", "Projektplan", "Meeting",
    "Agenda", "Memo", "Kostenvoranschlag", "Mahnung", "Quittung", "Ordem de serviço",
    "Kündigung", "Bewerbung", "Zeugnis", "Devis", "Orçamento", "Offert", "Kvitto", "Avtal"};
const char *const kDocQualifiers[] = {
    "Müller", "Dupont", "São João", "Andersson", "de Vries", "Q1", "Q3", "März", "Février",
    "Décembre", "Março", "final", "FINAL", "v2", "draft", "Entwurf", "Kopie", "copy", "neu",
    "alt", "Søren", "Zoë", "Müller & Söhne", "Jörg", "Frédéric", "Ñandú", "Peña", "Garçon",
    "Œuvre", "€ 2500", "Šimon", "Žaneta", "Straße 12", "Ærø", "Österreich", "Ålesund",
    "Björn", "Noël", "Gonçalves", "Crème brûlée", "naïve", "‘Entwurf’", "Größe", "Ñoño"};
const char *const kPlaces[] = {"Strand", "Berge", "Paris", "Zürich", "Malmö", "Ålesund",
                               "São Paulo", "Köln", "Montréal", "Garten", "Geburtstag",
                               "Fête", "Praia", "Skärgården", "Hochzeit", "Šibenik"};
const char *const kTitles[] = {
    "Intro", "Jóga", "Hyperballad", "Hoppípolla", "Non je ne regrette rien", "Ne me quitte pas",
    "Dancing Queen", "Money", "Time", "Yesterday", "Mas que nada", "Sozinho", "Vapen & ammunition",
    "Schrei nach Liebe", "Männer sind Schweine", "Cœur de pirate", "Für Elise", "Nocturne",
    "Kleine Nachtmusik", "Ça plane pour moi", "Señorita", "Mañana", "Garçonne", "Bühne frei",
    "Outro", "Bonus Track", "Live", "Remix", "Acoustic Version", "Smörgåsbord", "Lügen"};
const char *const kProgramStems[] = {
    "mfc42", "msvcr71", "msvcp60", "zlib1", "libeay32", "ssleay32", "QtCore4", "atl",
    "gdiplus", "d3dx9_43", "xinput1_3", "sqlite3", "libxml2", "iconv", "intl", "freetype6",
    "jpeg62", "libpng12", "avcodec-52", "setup", "uninstall", "unins000", "update", "launcher",
    "AcroRd32", "WINWORD", "EXCEL", "firefox", "nero", "winzip32", "7z", "java", "javaw",
    "config", "readme", "license", "Lizenz", "Liesmich", "LisezMoi", "resources", "strings",
    "plugin", "core", "helper", "crashreporter", "updater", "msvcr100", "vcredist_x86"};
const char *const kSystemStems[] = {
    "index", "desktop", "ntuser", "UsrClass", "settings", "thumbcache_32", "thumbcache_256",
    "IconCache", "places", "cookies", "formhistory", "webappsstore", "session", "prefs",
    "History", "Bookmarks", "Current Session", "Last Tabs", "Preferences", "setupapi",
    "WindowsUpdate", "CBS", "pagefile", "hiberfil", "edb", "MpCmdRun", "Security", "Application"};
const char *const kProjectStems[] = {
    "main", "utils", "parser", "Logo Café", "Flyer", "Entwurf Küche", "Grundriss", "Ansicht Süd",
    "Plakat", "Visitenkarte", "Schéma électrique", "Planta baixa", "Fachada", "Modell",
    "Präsentation Kunde", "Angebot", "database", "window", "network", "Protótipo", "Broschüre"};
const char *const kMailStems[] = {"Outlook", "archive", "Archiv", "backup", "Posteingang",
                                  "Inbox", "Sent Items", "Gesendete Objekte", "Kontakte"};
// clang-format on

// Status words, most frequent first, with their weights in a sound folder
// and in a damaged stretch of the disk.
const char *const kStatusWords[] = {"Recovered", "Partially recovered", "Damaged", "Overwritten",
                                    "Not recovered"};
constexpr int kStatusCount = 5;
const std::array<double, kStatusCount> kStatusSound = cumulate<kStatusCount>({92, 4, 2, 1, 1});
const std::array<double, kStatusCount> kStatusDamaged = cumulate<kStatusCount>({45, 20, 15, 12, 8});

// Attribute bits of files and of folder entries.
const int kFileAttrs[] = {32, 33, 34, 38, 0x4020, 0x2020, 0x820, 128, 0, 0x420, 36, 1};
const std::array<double, 12> kFileAttrWeights =
    cumulate<12>({800, 50, 20, 10, 20, 30, 20, 20, 10, 5, 10, 5});
const int kFolderAttrs[] = {16, 17, 18, 22, 0x2010, 48};
const std::array<double, 6> kFolderAttrWeights = cumulate<6>({80, 5, 5, 2, 5, 3});

// 1998-01-01 and 2024-06-30 as days since 1970-01-01.
constexpr int kFirstDay = 10227;
constexpr int kLastDay = 19904;

// ---------------------------------------------------------------------------

struct Vocabulary
{
    std::vector<QByteArray> folderWords[ThemeCount];
    std::vector<QByteArray> topFolders;
    std::vector<Theme> topThemes;
    std::vector<QByteArray> extensions[ThemeCount];
    std::array<double, 20> extensionCumulative[ThemeCount];
    std::vector<QByteArray> docNouns, docQualifiers, places, titles, programStems, systemStems,
        projectStems, mailStems;
    std::vector<QByteArray> status;

    static std::vector<QByteArray> convert(const char *const *words, size_t count)
    {
        std::vector<QByteArray> out;
        out.reserve(count);
        for (size_t i = 0; i < count; ++i)
            out.push_back(toCp1252(words[i]));
        return out;
    }
    template<size_t N> static std::vector<QByteArray> convert(const char *const (&words)[N])
    {
        return convert(words, N);
    }

    Vocabulary()
    {
        for (int t = 0; t < ThemeCount; ++t) {
            folderWords[t] = convert(kFolderWords[t].data(), kFolderWords[t].size());
            const auto &exts = kExtensions[t];
            Q_ASSERT(exts.size() <= 20);
            double sum = 0;
            extensionCumulative[t].fill(0);
            for (size_t i = 0; i < exts.size(); ++i) {
                extensions[t].push_back(QByteArray(exts[i].name));
                sum += exts[i].weight;
                extensionCumulative[t][i] = sum;
            }
            for (size_t i = exts.size(); i < 20; ++i)
                extensionCumulative[t][i] = sum + 1.0; // never picked: see pickExtension
        }
        for (const TopFolder &top : kTopFolders) {
            topFolders.push_back(toCp1252(top.name));
            topThemes.push_back(top.theme);
        }
        docNouns = convert(kDocNouns);
        docQualifiers = convert(kDocQualifiers);
        places = convert(kPlaces);
        titles = convert(kTitles);
        programStems = convert(kProgramStems);
        systemStems = convert(kSystemStems);
        projectStems = convert(kProjectStems);
        mailStems = convert(kMailStems);
        status = convert(kStatusWords);
    }
};

const Vocabulary &vocabulary()
{
    static const Vocabulary v;
    return v;
}

// ---------------------------------------------------------------------------
// Small text helpers, appending to a byte buffer without allocation.

void appendUInt(QByteArray &out, quint64 value)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value);
    while (n)
        out.append(digits[--n]);
}

void appendPadded(QByteArray &out, quint64 value, int width)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value);
    for (int i = n; i < width; ++i)
        out.append('0');
    while (n)
        out.append(digits[--n]);
}

void appendHex(QByteArray &out, quint64 value, int width, bool upper = true)
{
    const char *digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    for (int shift = (width - 1) * 4; shift >= 0; shift -= 4)
        out.append(digits[(value >> shift) & 0xF]);
}

// "YYYY-MM-DD hh:mm:ss" for a day since 1970 and seconds into it.
void appendDateTime(QByteArray &out, int day, int second)
{
    // Civil date from a day number (Howard Hinnant's algorithm).
    const int z = day + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int y = int(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2)
        ++y;
    appendPadded(out, quint64(y), 4);
    out.append('-');
    appendPadded(out, m, 2);
    out.append('-');
    appendPadded(out, d, 2);
    out.append(' ');
    appendPadded(out, quint64(second / 3600), 2);
    out.append(':');
    appendPadded(out, quint64(second / 60 % 60), 2);
    out.append(':');
    appendPadded(out, quint64(second % 60), 2);
}

quint64 hashBytes(const char *data, qsizetype size)
{
    quint64 h = 0xCBF29CE484222325ULL;
    for (qsizetype i = 0; i < size; ++i) {
        h ^= uchar(data[i]);
        h *= 0x100000001B3ULL;
    }
    return h;
}

// ---------------------------------------------------------------------------

struct PendingFolder
{
    QByteArray path;     // ends in '\'
    qint64 budget = 0;   // lines of this folder and everything below it
    qint64 bigFiles = 0; // > 0: a very large folder with this many files
    int depth = 0;
    int targetDepth = 5; // the level where the budget is meant to run out
    int eraDay = 0;
    Theme theme = Mixed;
};

struct BigSlot
{
    qint64 target; // the line near which it should begin
    qint64 files;
    int depth; // the level it prefers
    Theme theme;
};

struct FolderStyle
{
    int pattern = 0;  // theme-specific naming pattern
    qint64 start = 1; // first number of numbered names
    int mainExtension = 0;
    bool damaged = false;
};

class Generator
{
public:
    Generator(const GeneratorOptions &options, const ChunkSink &sink)
        : m_options(options)
        , m_sink(sink)
        , m_random(options.seed ^ 0x436F7276616E6521ULL)
        , m_vocab(vocabulary())
    {
        for (size_t i = 0; i < m_vocab.topThemes.size(); ++i) {
            const Theme theme = m_vocab.topThemes[i];
            const bool fits = options.kind == ListKind::Disk ||
                              (options.kind == ListKind::Documents &&
                               (theme == Documents || theme == Projects || theme == Mail)) ||
                              (options.kind == ListKind::Media &&
                               (theme == Photos || theme == Music || theme == Video));
            if (fits)
                m_topChoices.push_back(i);
        }
    }

    bool run(GeneratorStats &stats);

private:
    void planBigFolders();
    void processFolder(PendingFolder folder);
    void writeWide(const QByteArray &top);
    void writeLine(const QByteArray &folderPath, const QByteArray &name, int day, quint64 size,
                   int attrs, bool damaged);
    bool flushIfFull()
    {
        if (m_out.size() < kChunk)
            return true;
        return flush();
    }
    bool flush()
    {
        if (m_out.isEmpty() || m_failed)
            return !m_failed;
        if (!m_sink(m_out.constData(), m_out.size()))
            m_failed = true;
        m_stats.bytes += m_out.size();
        m_out.clear();
        return !m_failed;
    }

    QByteArray folderName(Theme theme, int eraDay);
    // The name without extension; returns the kind whose extensions suit it.
    Theme fileName(QByteArray &name, Theme theme, qint64 index, const FolderStyle &style);
    int fileDay(int eraDay);
    const QByteArray &pickWord(const std::vector<QByteArray> &words)
    {
        return words[m_random.below(words.size())];
    }
    int pickExtension(Theme theme)
    {
        const auto &cum = m_vocab.extensionCumulative[theme];
        const size_t n = m_vocab.extensions[theme].size();
        const double u = m_random.uniform() * cum[n - 1];
        return int(std::upper_bound(cum.begin(), cum.begin() + n, u) - cum.begin());
    }
    bool addUnique(const QByteArray &name)
    {
        return m_seen.insert(hashBytes(name.constData(), name.size())).second;
    }

    static constexpr qsizetype kChunk = 1 << 20;

    const GeneratorOptions &m_options;
    const ChunkSink &m_sink;
    Random m_random;
    const Vocabulary &m_vocab;
    std::vector<size_t> m_topChoices; // the top folders that suit the kind of list
    std::vector<PendingFolder> m_stack;
    std::vector<BigSlot> m_bigSlots;
    size_t m_nextBigSlot = 0;
    std::unordered_set<quint64> m_seen;
    QByteArray m_out;
    qint64 m_emitted = 0;
    bool m_failed = false;
    GeneratorStats m_stats;
};

void Generator::planBigFolders()
{
    const qint64 lines = m_options.lines;
    const qint64 count = bigFolderCount(lines);
    if (count == 0)
        return;
    const qint64 slice = lines / count;
    const double maxFiles = std::min(60000.0, double(slice) * 0.6);
    static const Theme themes[] = {Photos, Photos, Photos, Photos, Cache,
                                   Cache,  Cache,  Mail,   Mail,   Documents};
    for (qint64 k = 0; k < count; ++k) {
        BigSlot slot;
        // Log-uniform between the threshold and the most the list allows.
        const double lo = std::log(double(kBigFolderFiles));
        const double hi = std::log(std::max(maxFiles, double(kBigFolderFiles)));
        slot.files = qint64(std::exp(lo + (hi - lo) * m_random.uniform()));
        slot.target = k * slice + qint64(double(slice) * 0.3 * m_random.uniform());
        slot.depth = int(m_random.range(2, 5));
        slot.theme = themes[m_random.below(std::size(themes))];
        m_bigSlots.push_back(slot);
    }
}

bool Generator::run(GeneratorStats &stats)
{
    m_out.reserve(kChunk + 4096);
    if (m_options.wide) {
        writeWide(m_options.topFolder + '\\');
        flush();
        m_stats.lines = m_emitted;
        stats = m_stats;
        return !m_failed;
    }
    planBigFolders();

    PendingFolder root;
    root.path = m_options.topFolder + '\\';
    root.budget = m_options.lines;
    root.eraDay = int(m_random.range(kFirstDay + 2000, kLastDay - 1000));
    root.theme = Mixed;
    if (root.budget > 0)
        m_stack.push_back(std::move(root));

    while (!m_stack.empty() && !m_failed) {
        PendingFolder folder = std::move(m_stack.back());
        m_stack.pop_back();
        processFolder(std::move(folder));
    }
    flush();
    m_stats.lines = m_emitted;
    stats = m_stats;
    return !m_failed;
}

void Generator::writeWide(const QByteArray &top)
{
    // Folder names of every theme, made unique by a number (unpadded, so
    // that 'Fotos 9' and 'Fotos 10' differ only in natural order); each
    // folder holds one file.
    const int eraDay = int(m_random.range(kFirstDay + 2000, kLastDay - 1000));
    const FolderStyle style;
    QByteArray path;
    QByteArray name;
    for (qint64 i = 0; i < m_options.lines && !m_failed; ++i) {
        const Theme theme = Theme(m_random.below(ThemeCount));
        path = top;
        path += folderName(theme, eraDay);
        path += ' ';
        appendUInt(path, quint64(i + 1));
        path += '\\';
        const Theme extTheme = fileName(name, theme, 0, style);
        const QByteArray &extension = m_vocab.extensions[extTheme][size_t(pickExtension(extTheme))];
        if (!extension.isEmpty()) {
            name += '.';
            name += extension;
        }
        const Extension &e = kExtensions[extTheme][0];
        const quint64 size =
            quint64(std::clamp(m_random.logNormal(e.medianBytes, e.sigma), 1.0, 0x1.0p40));
        writeLine(path, name, fileDay(eraDay), size, kFileAttrs[m_random.pick(kFileAttrWeights)],
                  false);
        ++m_stats.folders;
    }
    m_stats.largestFolderLines = m_emitted > 0 ? 1 : 0;
    m_stats.maxDepth = m_emitted > 0 ? 1 : 0;
}

QByteArray Generator::folderName(Theme theme, int eraDay)
{
    QByteArray name = pickWord(m_vocab.folderWords[theme]);
    const double u = m_random.uniform();
    if (theme != Programs && theme != System && theme != Cache && m_random.chance(0.6)) {
        name += ' ';
        name += pickWord(m_vocab.docQualifiers);
    }
    if (u < 0.25) {
        name += ' ';
        appendUInt(name, quint64(1970 + (eraDay + int(m_random.range(-400, 400))) / 365));
    } else if (u < 0.30) {
        name += ' ';
        appendUInt(name, quint64(m_random.range(1, 30)));
    } else if (u < 0.31) {
        name = name.toLower(); // 'Docs' beside 'docs'
    } else if (u < 0.33) {
        name = name.toUpper();
    }
    return name;
}

int Generator::fileDay(int eraDay)
{
    const double spread = m_random.logNormal(20.0, 1.5);
    int day = eraDay + int(m_random.chance(0.5) ? spread : -spread);
    return std::clamp(day, kFirstDay, kLastDay);
}

Theme Generator::fileName(QByteArray &name, Theme theme, qint64 index, const FolderStyle &style)
{
    name.clear();
    const qint64 number = style.start + index;
    switch (theme) {
    case Photos:
        switch (style.pattern) {
        case 0: // unpadded, so 'IMG_2.jpg' sorts before 'IMG_10.jpg' only naturally
            name += "IMG_";
            appendUInt(name, quint64(number));
            break;
        case 1:
            name += "IMG_";
            appendPadded(name, quint64(number), 4);
            break;
        case 2:
            name += "DSC";
            appendPadded(name, quint64(number), 5);
            break;
        case 3:
            name += "DSCN";
            appendPadded(name, quint64(number), 4);
            break;
        case 4:
            name += 'P';
            appendPadded(name, quint64(number), 7);
            break;
        case 5:
            name += pickWord(m_vocab.places);
            name += ' ';
            appendUInt(name, quint64(number));
            break;
        default:
            name += "Foto ";
            appendPadded(name, quint64(number), 3);
            break;
        }
        break;
    case Music:
        appendPadded(name, quint64(index % 20 + 1), 2);
        name += " - ";
        name += pickWord(m_vocab.titles);
        break;
    case Video:
        if (style.pattern == 0) {
            name += "MOV";
            appendPadded(name, quint64(number), 4);
        } else if (style.pattern == 1) {
            name += "Video ";
            appendUInt(name, quint64(number));
        } else {
            name += pickWord(m_vocab.titles);
            name += " (";
            appendUInt(name, quint64(m_random.range(1985, 2020)));
            name += ')';
        }
        break;
    case Programs:
        name += pickWord(m_vocab.programStems);
        if (m_random.chance(0.3))
            appendUInt(name, quint64(m_random.range(1, 99)));
        break;
    case System:
        if (m_random.chance(0.2)) {
            name += '{';
            appendHex(name, m_random.next(), 8);
            name += '-';
            appendHex(name, m_random.next(), 4);
            name += '-';
            appendHex(name, m_random.next(), 4);
            name += '-';
            appendHex(name, m_random.next(), 4);
            name += '-';
            appendHex(name, m_random.next(), 12);
            name += '}';
        } else {
            name += pickWord(m_vocab.systemStems);
            if (m_random.chance(0.4)) {
                name += '_';
                appendUInt(name, quint64(number));
            }
        }
        break;
    case Mail:
        if (style.pattern == 0) {
            appendUInt(name, quint64(number));
        } else if (style.pattern == 1) {
            name += "Message ";
            appendUInt(name, quint64(number));
        } else {
            name += m_random.chance(0.5) ? "RE_ " : "AW_ ";
            name += pickWord(m_vocab.docNouns);
            name += ' ';
            name += pickWord(m_vocab.docQualifiers);
        }
        break;
    case Cache:
        if (style.pattern == 0) {
            name += "f_";
            appendHex(name, quint64(number), 6, false);
        } else if (style.pattern == 1) {
            name += "data_";
            appendUInt(name, quint64(number));
        } else {
            appendHex(name, m_random.next(), 8);
        }
        break;
    case Projects:
        name += pickWord(m_vocab.projectStems);
        if (m_random.chance(0.5)) {
            name += m_random.chance(0.5) ? " v" : "_";
            appendUInt(name, quint64(m_random.range(1, 12)));
        }
        break;
    case Documents:
    case Mixed:
    default:
        if (theme == Mixed && m_random.chance(0.3)) {
            name += "IMG_";
            appendUInt(name, quint64(number));
            return Photos;
        }
        name += pickWord(m_vocab.docNouns);
        if (m_random.chance(0.8)) {
            name += ' ';
            name += pickWord(m_vocab.docQualifiers);
        }
        if (m_random.chance(0.4)) {
            name += ' ';
            appendUInt(name, quint64(1970 + fileDay(kFirstDay + 3000) / 365));
        }
        break;
    }
    // A mixed folder's documents, now and then beside programs and archives.
    return theme == Mixed ? (m_random.chance(0.75) ? Documents : Mixed) : theme;
}

void Generator::writeLine(const QByteArray &folderPath, const QByteArray &name, int day,
                          quint64 size, int attrs, bool damaged)
{
    m_out += folderPath;
    m_out += name;
    m_out += ',';
    appendDateTime(m_out, day, int(m_random.below(86400)));
    m_out += ',';
    appendUInt(m_out, size);
    m_out += ',';
    appendUInt(m_out, quint64(attrs));
    m_out += ';';
    appendHex(m_out, m_random.next() >> 32, 8);
    m_out += ',';
    m_out += m_vocab.status[m_random.pick(damaged ? kStatusDamaged : kStatusSound)];
    m_out += "\r\n";
    ++m_emitted;
    flushIfFull();
}

void Generator::processFolder(PendingFolder folder)
{
    const qint64 budget = folder.budget;
    const int depth = folder.depth;
    Random &rnd = m_random;

    // How many files the folder itself holds.
    qint64 files;
    if (folder.bigFiles > 0)
        files = folder.bigFiles;
    else if (depth == 0)
        files = rnd.range(0, 6);
    else
        files = std::clamp<qint64>(
            qint64(rnd.logNormal(kFilesMedian[folder.theme], kFilesSigma[folder.theme])), 1, 900);
    files = std::min(files, budget);

    // How many sub-folders share the rest.
    qint64 rest = budget - files;
    qint64 children = 0;
    const int target = folder.targetDepth;
    if (depth >= kMaxDepth || rest == 0 || (depth > 0 && rest < 20 && rnd.chance(0.5)) ||
        (depth > 0 && depth >= target && rest <= 600)) {
        files = budget;
        rest = 0;
    } else {
        if (depth == 0) {
            children = std::clamp<qint64>(std::llround(rnd.logNormal(14, 0.35)), 6, 30);
            children = std::min(children, qint64(m_topChoices.size()));
        } else if (depth >= target) {
            children = (rest + 199) / 200; // spread what is left over small folders
        } else if (depth <= 8 && rnd.chance(0.12)) {
            children = 1; // a narrow chain such as AppData\Local\Microsoft
        } else {
            // Enough sub-folders per level for the budget to run out near the
            // target level.
            const double perLevel =
                std::pow(std::max(1.0, double(rest) / 25.0), 1.0 / double(target - depth));
            children = std::clamp<qint64>(std::llround(rnd.logNormal(perLevel, 0.5)), 2, 400);
        }
        if (depth >= 9) {
            // Deep down the budget must spread out: level 12 holds only files.
            const qint64 cap = qint64(600) << (2 * (kMaxDepth - 1 - depth));
            children = std::max(children, (rest + cap - 1) / cap);
        }
        children = std::min(children, rest);
    }
    // Some tools list the sub-folders of a folder as entries of their own.
    qint64 entries = 0;
    if (children > 0 && rnd.chance(0.4) && rest - children >= children)
        entries = children;
    rest -= entries;

    FolderStyle style;
    style.damaged = rnd.chance(0.12);
    style.pattern = int(rnd.below(7));
    style.start = rnd.chance(0.7) ? 1 : rnd.range(1, 5000);
    // Photo, music, mail and cache folders mostly hold one kind of file, one
    // of the two commonest of their kind.
    style.mainExtension = int(rnd.below(2));

    // The sub-folders: names, kinds and line budgets.
    std::vector<PendingFolder> subs;
    if (children > 0) {
        subs.resize(size_t(children));
        m_seen.clear();
        qint64 bigChild = -1;
        qint64 bigFiles = 0;
        Theme bigTheme = Mixed;
        if (m_nextBigSlot < m_bigSlots.size()) {
            const BigSlot &slot = m_bigSlots[m_nextBigSlot];
            const qint64 childrenStart = m_emitted + files + entries;
            const bool due = slot.target <= childrenStart + rest;
            if (due && (depth + 1 >= slot.depth || rest < 4 * slot.files) &&
                rest >= slot.files + children) {
                bigChild = qint64(rnd.below(quint64(children)));
                bigFiles = slot.files;
                bigTheme = slot.theme;
                ++m_nextBigSlot;
            }
        }
        std::vector<double> weights{};
        weights.resize(size_t(children));
        double total = 0;
        for (qint64 i = 0; i < children; ++i) {
            weights[size_t(i)] = rnd.logNormal(1.0, 1.0) * (i == bigChild ? 0.1 : 1.0);
            total += weights[size_t(i)];
        }
        const qint64 spread = rest - children - bigFiles;
        double cumulative = 0;
        qint64 given = 0;
        for (qint64 i = 0; i < children; ++i) {
            PendingFolder &sub = subs[size_t(i)];
            cumulative += weights[size_t(i)];
            const qint64 upTo =
                i + 1 == children ? spread : std::llround(double(spread) * cumulative / total);
            sub.budget = 1 + (upTo - given);
            given = upTo;
            sub.depth = depth + 1;
            if (depth == 0)
                sub.targetDepth = rnd.chance(0.06) ? int(rnd.range(9, 12)) : int(rnd.range(4, 8));
            else
                sub.targetDepth =
                    std::min(kMaxDepth, folder.targetDepth + (rnd.chance(0.03) ? 2 : 0));
            sub.eraDay = depth == 0 ? int(rnd.range(kFirstDay + 300, kLastDay - 100))
                                    : std::clamp(folder.eraDay + int(rnd.normal() * 300.0),
                                                 kFirstDay, kLastDay);
            QByteArray name;
            if (depth == 0) {
                // Drawn without putting back: no two top folders alike.
                const size_t pick =
                    size_t(i) + size_t(rnd.below(quint64(m_topChoices.size()) - quint64(i)));
                std::swap(m_topChoices[size_t(i)], m_topChoices[pick]);
                const size_t top = m_topChoices[size_t(i)];
                name = m_vocab.topFolders[top];
                sub.theme = m_vocab.topThemes[top];
            } else {
                sub.theme = Theme(rnd.pick(kChildThemes[folder.theme]));
                name = folderName(sub.theme, sub.eraDay);
            }
            if (i == bigChild) {
                sub.bigFiles = bigFiles;
                sub.budget += bigFiles;
                sub.theme = bigTheme;
            }
            if (!addUnique(name)) {
                const QByteArray base = name;
                for (quint64 n = 2; !addUnique(name); ++n) {
                    name = base + ' ';
                    appendUInt(name, n);
                }
            }
            sub.path.reserve(folder.path.size() + name.size() + 1);
            sub.path = folder.path + name + '\\';
        }
    }

    if (files + entries > 0) {
        ++m_stats.folders;
        m_stats.maxDepth = std::max(m_stats.maxDepth, depth);
        m_stats.largestFolderLines = std::max(m_stats.largestFolderLines, files + entries);
        if (files >= kBigFolderFiles)
            ++m_stats.bigFolders;
    }

    // The folder's own lines: its sub-folder entries, then its files.
    QByteArray name;
    for (qint64 i = 0; i < entries; ++i) {
        const PendingFolder &sub = subs[size_t(i)];
        name = QByteArray(sub.path.constData() + folder.path.size(),
                          sub.path.size() - folder.path.size() - 1);
        writeLine(folder.path, name, std::max(kFirstDay, sub.eraDay - int(rnd.below(30))), 0,
                  kFolderAttrs[rnd.pick(kFolderAttrWeights)], false);
    }
    m_seen.clear();
    for (const PendingFolder &sub : subs) // a file never shares a sub-folder's name
        m_seen.insert(hashBytes(sub.path.constData() + folder.path.size(),
                                sub.path.size() - folder.path.size() - 1));
    const QByteArray noExtension;
    for (qint64 i = 0; i < files; ++i) {
        int attrs = kFileAttrs[rnd.pick(kFileAttrWeights)];
        int ext = -1;
        Theme extTheme = folder.theme;
        const QByteArray *extension = &noExtension;
        if (folder.theme == Photos && !folder.bigFiles && i == files - 1 && files > 8 &&
            rnd.chance(0.5)) {
            name = "Thumbs.db";
            attrs = 38;
        } else if (i == 0 && rnd.chance(0.03)) {
            name = "desktop.ini";
            attrs = 38;
        } else {
            extTheme = fileName(name, folder.theme, i, style);
            const bool keepsExtension =
                extTheme == folder.theme && (folder.theme == Photos || folder.theme == Music ||
                                             folder.theme == Cache || folder.theme == Mail);
            ext =
                keepsExtension && rnd.chance(0.85) ? style.mainExtension : pickExtension(extTheme);
            extension = &m_vocab.extensions[extTheme][size_t(ext)];
            if (!extension->isEmpty()) {
                name += '.';
                name += *extension;
            }
        }
        if (!addUnique(name)) {
            // A second file of the same name: 'Rechnung (2).pdf'.
            const QByteArray base =
                name.first(name.size() - (extension->isEmpty() ? 0 : extension->size() + 1));
            for (quint64 n = 2; !addUnique(name); ++n) {
                name = base + " (";
                appendUInt(name, n);
                name += ')';
                if (!extension->isEmpty())
                    name += '.' + *extension;
            }
        }
        quint64 size = 0;
        if (attrs == 38) {
            size = quint64(rnd.range(100, 200000));
        } else if (!rnd.chance(0.005)) {
            const Extension &e = kExtensions[extTheme][size_t(std::max(ext, 0))];
            size = quint64(std::clamp(rnd.logNormal(e.medianBytes, e.sigma), 1.0, 0x1.0p40));
        }
        writeLine(folder.path, name, fileDay(folder.eraDay), size, attrs, style.damaged);
    }

    // Depth first: the first sub-folder is walked next.
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        m_stack.push_back(std::move(*it));
}

} // namespace

qint64 bigFolderCount(qint64 lines)
{
    if (lines < 20000)
        return 0;
    return std::max<qint64>(1, lines / 200000);
}

QList<QByteArray> statusWords()
{
    const auto &words = vocabulary().status;
    return QList<QByteArray>(words.begin(), words.end());
}

bool generateList(const GeneratorOptions &options, const ChunkSink &sink, GeneratorStats *stats)
{
    GeneratorStats local;
    Generator generator(options, sink);
    const bool ok = generator.run(local);
    if (stats)
        *stats = local;
    return ok;
}

QByteArray generateListBytes(const GeneratorOptions &options, GeneratorStats *stats)
{
    QByteArray out;
    generateList(
        options,
        [&out](const char *data, qsizetype size) {
            out.append(data, size);
            return true;
        },
        stats);
    return out;
}

bool writeListFile(const QString &path, const GeneratorOptions &options, GeneratorStats *stats,
                   QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = u"Cannot write %1: %2"_s.arg(path, file.errorString());
        return false;
    }
    const bool ok = generateList(
        options,
        [&file](const char *data, qsizetype size) { return file.write(data, size) == size; },
        stats);
    if (!ok || !file.flush()) {
        if (error)
            *error = u"Writing %1 failed: %2"_s.arg(path, file.errorString());
        file.close();
        return false;
    }
    file.close();
    return true;
}

} // namespace corvane::listgen
