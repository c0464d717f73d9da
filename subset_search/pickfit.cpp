// pickfit: prints every non-empty selection of N integers whose 32-bit total
// equals a target, one line per selection, in depth-first visiting order.
//
// The walk visits only the nodes whose subtree holds a match. Before it
// descends into a child it asks an index, built once per run, whether any
// selection in that subtree can total the target modulo 2^32; a subtree is
// skipped only when the answer is a proof that it prints nothing.
#include <alloca.h>
#include <sys/auxv.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int UTILITZAT = 1;
constexpr int NOUTILITZAT = 0;

// Writes "pickfit: MISSATGE DETALL" on standard error with one write and ends
// the run with status 1. No stdio: it would want 8 KiB of stack.
[[noreturn]] void fallar(const char* missatge, const char* detall) {
    char linia[256] = "pickfit: ";
    std::strncat(linia, missatge, 160);
    std::strncat(linia, detall, 80);
    std::strcat(linia, "\n");
    const ssize_t escrit = write(STDERR_FILENO, linia, std::strlen(linia));
    (void)escrit;  // nothing is left to report a failure to
    std::exit(1);
}

// ---------------------------------------------------------------------------
// Output

// Result lines are gathered in `text` and written to standard output in
// blocks of up to 64 KiB, or line by line when standard output is a
// terminal, so that a user sees each match as soon as it is found. Each
// value's text and the target's are formatted once per run, in slots of 16
// bytes: the digits and a '+' (or a line end after the target), `llargades`
// giving how many bytes of the slot count. A line's values are put together
// in `linia` and kept there for the next line, which copies only its values
// from the first position where the two selections differ. `triats` holds
// the last line's selection, a bit a position in `nparaules` words (the
// others 0), and `inicis` where in `linia` each value it selects starts.
struct Sortida {
    char* text;
    std::size_t ple;
    bool perLinia;
    char* textos;  // slot i: value i; slot `objectiu`: the target
    unsigned char* llargades;
    int objectiu;
    char* linia;
    std::size_t llargadaLinia;
    std::uint64_t* triats;
    int nparaules;
    std::uint32_t* inicis;
};

constexpr std::size_t CAPACITAT = 1 << 16;
constexpr std::size_t RANURA = 16;

constexpr std::uint64_t TOTS = ~std::uint64_t{0};

// Writes out what the buffer holds. A failed write ends the run here.
void buidar(Sortida& sortida) {
    std::size_t escrit = 0;
    while (escrit < sortida.ple) {
        const ssize_t n = write(STDOUT_FILENO, sortida.text + escrit, sortida.ple - escrit);
        if (n > 0) {
            escrit += static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            fallar("write error: ", std::strerror(n == 0 ? EIO : errno));
        }
    }
    sortida.ple = 0;
}

// Adds bytes to the output, writing out each block that fills.
void escriureTot(Sortida& sortida, const char* bytes, std::size_t nombre) {
    while (nombre > 0) {
        const std::size_t tros = std::min(nombre, CAPACITAT - sortida.ple);
        std::memcpy(sortida.text + sortida.ple, bytes, tros);
        sortida.ple += tros;
        bytes += tros;
        nombre -= tros;
        if (sortida.ple == CAPACITAT) buidar(sortida);
    }
}

void escriureRanura(Sortida& sortida, int i, int valor, char seguent) {
    char* ranura = sortida.textos + static_cast<std::size_t>(i) * RANURA;
    char* fi = std::to_chars(ranura, ranura + 11, valor).ptr;
    *fi = seguent;
    sortida.llargades[i] = static_cast<unsigned char>(fi + 1 - ranura);
}

// The output buffer and the texts of the values and the target.
void prepararSortida(Sortida& sortida, const int* valors, int nvalors, int resultat) {
    const auto n = static_cast<std::size_t>(nvalors) + 1;
    sortida.text = static_cast<char*>(std::malloc(CAPACITAT));
    sortida.textos = static_cast<char*>(std::malloc(n * RANURA));
    sortida.llargades = static_cast<unsigned char*>(std::malloc(n));
    sortida.linia = static_cast<char*>(std::malloc(n * RANURA));
    sortida.inicis = static_cast<std::uint32_t*>(std::malloc(n * 4));
    sortida.triats = static_cast<std::uint64_t*>(std::calloc((n + 63) / 64, 8));
    if (sortida.text == nullptr || sortida.textos == nullptr || sortida.llargades == nullptr ||
        sortida.linia == nullptr || sortida.inicis == nullptr || sortida.triats == nullptr) {
        fallar("out of memory", "");
    }
    sortida.llargadaLinia = 0;
    sortida.nparaules = 0;
    sortida.ple = 0;
    sortida.perLinia = isatty(STDOUT_FILENO) == 1;
    sortida.objectiu = nvalors;
    for (int i = 0; i < nvalors; ++i) escriureRanura(sortida, i, valors[i], '+');
    escriureRanura(sortida, nvalors, resultat, '\n');
}

// ---------------------------------------------------------------------------
// Command line

// Conversion as atoi does it (white space, optional sign, digits up to the
// first other character), except that out-of-range numbers saturate.
int convertir(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    const bool negatiu = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    std::int64_t magnitud = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitud = std::min<std::int64_t>(magnitud * 10 + (*text - '0'), std::int64_t{INT32_MAX} + 1);
    }
    if (negatiu) return static_cast<int>(-magnitud);
    return static_cast<int>(std::min<std::int64_t>(magnitud, INT32_MAX));
}

// ---------------------------------------------------------------------------
// The index: its memory and small helpers

// Index memory comes in zero-filled blocks. Blocks of 64 KiB and more are
// mapped pages, so that what they take from the address space is what they
// ask for and comes back whole when freed; their pages are mapped in at
// once, because every block is written all through and mapping them one
// fault at a time took half the time of building the table. Smaller blocks
// come from calloc, which costs less than a mapping. Under AddressSanitizer
// all of them do, so that it checks their bounds.
struct Bloc {
    void* adreca;
    std::size_t mida;
};

#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t MIDA_MAPA = SIZE_MAX;
#else
constexpr std::size_t MIDA_MAPA = 1 << 20;
#endif

constexpr int MAX_BLOCS = 24;

bool bit(const std::uint64_t* bits, std::uint64_t i) { return (bits[i >> 6] >> (i & 63)) & 1; }
void posarBit(std::uint64_t* bits, std::uint64_t i) { bits[i >> 6] |= std::uint64_t{1} << (i & 63); }

// Sums are compared after a multiplication by an odd constant, which is a
// bijection on 32 bits: equal sums stay equal, and clustered sums (small
// values) spread evenly over buckets. Mixing is linear, so mixed values add
// up to the mixed sum.
std::uint32_t barrejar(std::uint32_t suma) { return suma * 0x9E3779B1u; }

struct Rang {
    std::uint32_t inici, final;
};

// Per position of the reachability bitsets: the window of totals it covers,
// [base, base + mida) modulo 2^32, and where its bits start.
struct Finestra {
    std::uint64_t paraula;
    std::uint64_t mida;
    std::uint32_t base;
};

struct Index {
    int nvalors;
    std::uint32_t objectiu;

    int nabast;  // positions [0, nabast) have a reachability bitset
    Finestra* finestres;
    std::uint64_t* abast;

    int inici;      // positions [inici, nvalors) form the second half
    bool preparat;  // false while the second half waits to be built
    int desplacament;
    std::uint64_t* entrades;  // (key << 32) | mask, sorted; a sentinel after the last
    std::uint32_t* cubetes;

    int nprimera;  // positions [0, nprimera) form the first half
    std::uint64_t *completable, *nivells;

    int bitsResidu;  // residues modulo 2^bitsResidu, 0 for none
    std::uint64_t* residus;
    std::int64_t *minims, *maxims;

    Bloc blocs[MAX_BLOCS];
    int nblocs;
};

// Zero-filled memory for the index, or null.
void* reservar(Index& index, std::uint64_t bytes) {
    if (bytes == 0 || bytes > SIZE_MAX / 2 || index.nblocs == MAX_BLOCS) return nullptr;
    const auto mida = static_cast<std::size_t>(bytes);
    void* adreca = nullptr;
    if (mida < MIDA_MAPA) {
        adreca = std::calloc(mida, 1);
    } else {
        adreca = mmap(nullptr, mida, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (adreca == MAP_FAILED) adreca = nullptr;
    }
    if (adreca != nullptr) index.blocs[index.nblocs++] = Bloc{adreca, mida};
    return adreca;
}

// Frees one block of index memory: the one place where it goes back.
void alliberar(Index& index, const void* adreca) {
    int i = index.nblocs - 1;
    while (i >= 0 && index.blocs[i].adreca != adreca) --i;
    if (i < 0) return;
    if (index.blocs[i].mida < MIDA_MAPA) {
        std::free(index.blocs[i].adreca);
    } else {
        munmap(index.blocs[i].adreca, index.blocs[i].mida);
    }
    std::copy(index.blocs + i + 1, index.blocs + index.nblocs, index.blocs + i);
    --index.nblocs;
}

// Frees the blocks reserved since there were `marca` of them.
void alliberarDesDe(Index& index, int marca) {
    while (index.nblocs > marca) alliberar(index, index.blocs[index.nblocs - 1].adreca);
}

std::uint64_t* reservarBits(Index& index, std::uint64_t nbits) {
    return static_cast<std::uint64_t*>(reservar(index, (nbits + 63) / 64 * 8));
}

// ---------------------------------------------------------------------------
// The index: reachable totals by position

// Bits [pos, pos + 64) of a bitset of `nbits` bits whose last word is clean
// beyond them; what lies outside the bitset reads as 0.
std::uint64_t llegir(const std::uint64_t* bits, std::int64_t nbits, std::int64_t pos) {
    if (pos <= -64 || pos >= nbits) return 0;
    if (pos < 0) return bits[0] << -pos;
    const std::int64_t i = pos >> 6, desplacament = pos & 63;
    std::uint64_t paraula = bits[i] >> desplacament;
    if (desplacament != 0 && (i + 1) * 64 < nbits) paraula |= bits[i + 1] << (64 - desplacament);
    return paraula;
}

// The same for a cyclic bitset of 2^b >= 64 bits: position pos modulo 2^b.
std::uint64_t llegirCicle(const std::uint64_t* bits, int b, std::uint64_t pos) {
    const std::uint64_t mascara = (std::uint64_t{1} << (b - 6)) - 1, i = (pos >> 6) & mascara;
    const auto desplacament = static_cast<int>(pos & 63);
    if (desplacament == 0) return bits[i];
    return bits[i] >> desplacament | bits[(i + 1) & mascara] << (64 - desplacament);
}

// Where the integer totals can lie. With a span (the sum of |v|) below 2^32
// no two totals alias modulo 2^32, so the target stands for one integer,
// `objectiu`, and a child that takes position k needs a total in
// [objectiu - positive prefix, objectiu - negative prefix], which is the
// window that R_k is kept over, cut to the totals that positions k.. reach.
struct Totals {
    std::int64_t negatius, positius, objectiu;
};

Totals totals(const int* valors, int nvalors, std::uint32_t objectiu) {
    Totals t{0, 0, 0};
    for (int i = 0; i < nvalors; ++i) (valors[i] < 0 ? t.negatius : t.positius) += valors[i];
    t.objectiu = t.negatius + (objectiu - static_cast<std::uint32_t>(t.negatius));
    return t;
}

bool spanEstret(const Totals& t) { return t.positius - t.negatius < (std::int64_t{1} << 32); }

// The window of position k, given the totals that positions k.. reach,
// [baix, alt]: its first total and its size (0 when empty).
void finestra(const Totals& t, std::int64_t baix, std::int64_t alt, std::int64_t& primer, std::int64_t& mida) {
    primer = std::max(t.objectiu - (t.positius - alt), baix);
    const std::int64_t darrer = std::min(t.objectiu - (t.negatius - baix), alt);
    mida = std::max<std::int64_t>(0, darrer - primer + 1);
}

// Words that the bitsets of positions [0, fins) take together, and the
// most that one of the other positions takes.
void paraulesAbast(const int* valors, int nvalors, const Totals& t, int fins, std::uint64_t& paraules,
                   std::uint64_t& rodants) {
    std::int64_t baix = 0, alt = 0, primer, mida;
    paraules = rodants = 0;
    for (int k = nvalors - 1; k >= 0; --k) {
        (valors[k] < 0 ? baix : alt) += valors[k];
        finestra(t, baix, alt, primer, mida);
        const auto p = static_cast<std::uint64_t>(mida + 63) / 64;
        if (k < fins) paraules += p;
        if (k >= fins) rodants = std::max(rodants, p);
    }
}

// Bytes that the bitsets of positions [0, fins) take.
std::uint64_t midaAbast(const int* valors, int nvalors, const Totals& t, int fins) {
    std::uint64_t paraules, rodants;
    paraulesAbast(valors, nvalors, t, fins, paraules, rodants);
    return 8 * paraules + sizeof(Finestra) * static_cast<std::uint64_t>(fins);
}

// R_k, the totals of the non-empty subsets of positions k.., is R_{k+1},
// R_{k+1} shifted by v_k, and v_k itself. It is built from the last position
// back, each R_k read from R_{k+1} over its own window; the windows nest so
// that every total R_k needs from R_{k+1} lies in R_{k+1}'s window or is out
// of reach. Positions [0, fins) keep theirs; the others pass through two
// rolling buffers.
bool construirAbast(Index& index, const int* valors, const Totals& t, int fins) {
    const int n = index.nvalors, marca = index.nblocs;
    std::uint64_t paraules, rodants;
    paraulesAbast(valors, n, t, fins, paraules, rodants);
    index.finestres = static_cast<Finestra*>(reservar(index, sizeof(Finestra) * static_cast<std::uint64_t>(fins)));
    index.abast = static_cast<std::uint64_t*>(reservar(index, 8 * std::max<std::uint64_t>(paraules, 1)));
    std::uint64_t* rodant = rodants > 0 ? static_cast<std::uint64_t*>(reservar(index, 16 * rodants)) : nullptr;
    if (index.finestres == nullptr || index.abast == nullptr || (rodants > 0 && rodant == nullptr)) {
        alliberarDesDe(index, marca);
        return false;
    }
    const std::uint64_t* abans = nullptr;
    std::int64_t baix = 0, alt = 0, primer, mida, primerAbans = 0, midaAbans = 0;
    std::uint64_t seguent = paraules;
    for (int k = n - 1; k >= 0; --k) {
        (valors[k] < 0 ? baix : alt) += valors[k];
        finestra(t, baix, alt, primer, mida);
        const auto p = static_cast<std::uint64_t>(mida + 63) / 64;
        std::uint64_t* bits = rodant + (k & 1) * rodants;
        if (k < fins) {
            seguent -= p;
            bits = index.abast + seguent;
            index.finestres[k] =
                Finestra{seguent, static_cast<std::uint64_t>(mida), static_cast<std::uint32_t>(primer)};
        }
        for (std::uint64_t j = 0; j < p; ++j) {
            const std::int64_t pos = primer + static_cast<std::int64_t>(64 * j) - primerAbans;
            bits[j] = abans == nullptr ? 0 : llegir(abans, midaAbans, pos) | llegir(abans, midaAbans, pos - valors[k]);
        }
        if (valors[k] >= primer && valors[k] - primer < mida) {
            posarBit(bits, static_cast<std::uint64_t>(valors[k] - primer));
        }
        if (mida % 64 != 0) bits[p - 1] &= (std::uint64_t{1} << (mida % 64)) - 1;
        abans = bits;
        primerAbans = primer;
        midaAbans = mida;
    }
    alliberar(index, rodant);
    index.nabast = fins;
    return true;
}

// Residues modulo 2^b of R_k at every position, for the positions that no
// exact kind covers: a sound filter that catches structure such as every
// value even and the target odd. Fewer bits for many values, within 4 MiB.
// The sets shrink as k grows; when the last uncovered position's holds
// every residue, the filter could cut nothing, and its memory goes back.
constexpr std::uint64_t MEMORIA_RESIDUS = 4 << 20;

void construirResidus(Index& index, const int* valors) {
    const int n = index.nvalors, marca = index.nblocs;
    int b = 16;
    while (b > 6 && (std::uint64_t{1} << b) / 8 * static_cast<std::uint64_t>(n) > MEMORIA_RESIDUS) --b;
    const std::uint64_t paraules = std::uint64_t{1} << (b - 6);
    index.residus = static_cast<std::uint64_t*>(reservar(index, 8 * paraules * static_cast<std::uint64_t>(n)));
    if (index.residus == nullptr) return;
    const std::uint64_t mascara = (std::uint64_t{1} << b) - 1;
    for (int k = n - 1; k >= 0; --k) {
        std::uint64_t* bits = index.residus + paraules * static_cast<std::uint64_t>(k);
        const std::uint64_t v = static_cast<std::uint32_t>(valors[k]) & mascara;
        if (k < n - 1) {
            const std::uint64_t* abans = bits + paraules;
            // Bit r of the shifted set is bit r - v of the one before.
            for (std::uint64_t j = 0; j < paraules; ++j) bits[j] = abans[j] | llegirCicle(abans, b, 64 * j - v);
        }
        posarBit(bits, v);
    }
    const std::uint64_t* darrer = index.residus + paraules * static_cast<std::uint64_t>(index.inici - 1);
    if (std::all_of(darrer, darrer + paraules, [](std::uint64_t w) { return w == ~std::uint64_t{0}; })) {
        alliberarDesDe(index, marca);
        return;
    }
    index.bitsResidu = b;
}

// Suffix bounds of the integer totals that non-empty subsets of positions
// k.. can reach: the sum of the negative values (or, with none, the least
// value) up to the sum of the positive ones (or, with none, the greatest).
// False when memory is refused.
bool construirLimits(Index& index, const int* valors) {
    const int marca = index.nblocs;
    const auto mida = static_cast<std::uint64_t>(index.nvalors) * 8;
    index.minims = static_cast<std::int64_t*>(reservar(index, mida));
    index.maxims = static_cast<std::int64_t*>(reservar(index, mida));
    if (index.minims == nullptr || index.maxims == nullptr) {
        alliberarDesDe(index, marca);
        index.minims = index.maxims = nullptr;
        return false;
    }
    std::int64_t negatius = 0, positius = 0, menor = INT32_MAX, major = INT32_MIN;
    for (int k = index.nvalors - 1; k >= 0; --k) {
        (valors[k] < 0 ? negatius : positius) += valors[k];
        menor = std::min<std::int64_t>(menor, valors[k]);
        major = std::max<std::int64_t>(major, valors[k]);
        index.minims[k] = negatius < 0 ? negatius : menor;
        index.maxims[k] = positius > 0 ? positius : major;
    }
    return true;
}

// ---------------------------------------------------------------------------
// The index: the two halves

// An entry of a list of subsets: its key, the mixed sum, in the high half
// and its mask in the low half, so that entries sort by key and then mask.
std::uint32_t clau(std::uint64_t entrada) { return static_cast<std::uint32_t>(entrada >> 32); }
std::uint32_t mascara(std::uint64_t entrada) { return static_cast<std::uint32_t>(entrada); }

// Merges the sorted entries of `a` from its i-th on with those of `b`, each
// plus `mes`, into `desti` from its o-th entry on, until `b` runs out. No
// branch depends on the entries, so the loop runs at the pace of its loads.
void fondre(const std::uint64_t* a, std::uint32_t na, std::uint32_t& iA, const std::uint64_t* b, std::uint32_t nb,
            std::uint64_t mes, std::uint64_t* desti, std::uint32_t& oDesti) {
    // In locals, which the stores into `desti` cannot be taken to change.
    std::uint32_t i = iA, j = 0, o = oDesti;
    for (; i < na && j < nb; ++o) {
        const std::uint64_t x = a[i], y = b[j] + mes;
        const bool desplacat = y < x;
        desti[o] = desplacat ? y : x;
        i += !desplacat;
        j += desplacat;
    }
    for (; j < nb; ++j, ++o) desti[o] = b[j] + mes;
    iA = i;
    oDesti = o;
}

// The subsets of n consecutive positions from `primera`, as sorted entries,
// where bit n-1-j of a mask stands for position primera+j; the empty subset
// (key 0, mask 0) is among them. Built by doubling, from the last position
// back: the list of the last t positions merged with itself shifted by the
// next value, whose entries all carry the new, highest bit of the mask. The
// list of 2^t entries lies in `llista` when n - t is even and in `aux` when
// odd, so `aux` needs room for 2^(n-1) entries.
void llistar(const int* valors, int primera, int n, std::uint64_t* llista, std::uint64_t* aux) {
    (n % 2 == 0 ? llista : aux)[0] = 0;
    for (int t = 0; t < n; ++t) {
        const std::uint64_t* origen = (n - t) % 2 == 0 ? llista : aux;
        std::uint64_t* desti = (n - t) % 2 == 0 ? aux : llista;
        const std::uint32_t m = 1u << t;
        const std::uint32_t d = barrejar(static_cast<std::uint32_t>(valors[primera + n - 1 - t]));
        // Shifted by d, the entries from w on wrap around and come first.
        const auto w =
            static_cast<std::uint32_t>(std::lower_bound(origen, origen + m, std::uint64_t{0u - d} << 32) - origen);
        const std::uint64_t mes = std::uint64_t{d} << 32 | m;
        std::uint32_t i = 0, o = 0;
        fondre(origen, m, i, origen + w, m - w, mes, desti, o);
        fondre(origen, m, i, origen, w, mes, desti, o);
        std::copy(origen + i, origen + m, desti + o);
    }
}

// Entries [cubetes[h], cubetes[h+1]) are those whose key has top bits h.
Rang trobar(const Index& index, std::uint32_t clau) {
    const std::uint32_t* limits = index.cubetes + (clau >> index.desplacament);
    const std::uint64_t* inici = index.entrades + limits[0];
    const std::uint64_t* final = index.entrades + limits[1];
    const std::uint64_t* primer = std::lower_bound(inici, final, std::uint64_t{clau} << 32);
    const std::uint64_t* darrer = std::upper_bound(primer, final, std::uint64_t{clau} << 32 | UINT32_MAX);
    return {static_cast<std::uint32_t>(primer - index.entrades), static_cast<std::uint32_t>(darrer - index.entrades)};
}

// Tabulates every subset of the last n positions, about 8.25 bytes an entry,
// and a sentinel entry after the last that no key passes. It is built with a
// buffer of 4 bytes an entry, freed when done.
bool construirSegona(Index& index, const int* valors, int n) {
    const int marca = index.nblocs;
    const std::uint64_t entrades = std::uint64_t{1} << n;
    // About 16 entries (one cache line of keys) a bucket.
    const int bits = std::max(1, n - 4);
    index.entrades = static_cast<std::uint64_t*>(reservar(index, 8 * entrades + 8));
    index.cubetes = static_cast<std::uint32_t*>(reservar(index, (std::uint64_t{4} << bits) + 4));
    auto* aux = static_cast<std::uint64_t*>(reservar(index, 4 * entrades));
    if (index.entrades == nullptr || index.cubetes == nullptr || aux == nullptr) {
        alliberarDesDe(index, marca);
        return false;
    }
    llistar(valors, index.nvalors - n, n, index.entrades, aux);
    alliberar(index, aux);
    index.entrades[entrades] = UINT64_MAX;
    index.desplacament = 32 - bits;
    std::uint32_t cubeta = 0;
    for (std::uint32_t i = 0; i < entrades; ++i) {
        for (; cubeta <= (clau(index.entrades[i]) >> index.desplacament); ++cubeta) index.cubetes[cubeta] = i;
    }
    for (; cubeta <= (1u << bits); ++cubeta) index.cubetes[cubeta] = static_cast<std::uint32_t>(entrades);
    index.inici = index.nvalors - n;
    return true;
}

// Tabulates the largest second half that memory allows, from n positions
// down; with none, the filters alone prune above it.
void construirSegonaQueCapiga(Index& index, const int* valors, int n) {
    for (; n > 0 && !construirSegona(index, valors, n); --n) {
    }
    if (n == 0) index.inici = index.nvalors;
    index.preparat = true;
}

// The even bits of x packed into its low 32 bits.
std::uint64_t parells(std::uint64_t x) {
    x &= 0x5555555555555555u;
    x = (x | x >> 1) & 0x3333333333333333u;
    x = (x | x >> 2) & 0x0f0f0f0f0f0f0f0fu;
    x = (x | x >> 4) & 0x00ff00ff00ff00ffu;
    x = (x | x >> 8) & 0x0000ffff0000ffffu;
    return (x | x >> 16) & 0x00000000ffffffffu;
}

// Where level m (1..f) of the block levels starts: level m has 2^(f-m)
// bits, one for each block of 2^m first-half subsets, after the levels below.
std::uint64_t iniciNivell(int f, int m) {
    const std::uint64_t total = std::uint64_t{1} << f;
    return total - (total >> (m - 1));
}

// For every first-half subset X, whether it reaches the target with a
// non-empty second-half subset (`completable`) or with any one (`qualsevol`,
// kept while building), and then the block levels over the latter. X is
// split into its first a positions, A, and the other b, B, whose subsets
// are listed sorted; for one A the keys that the B need from the table come
// in order, and the table is read alongside them, as in a merge, not at
// random. With s positions in the second half, the 2^a passes take
// 2^a (2^b + 2^s) steps and listing B about 2^(b+1): b is the cheapest from
// f-4 (at most 16 passes) to min(f, s), the smaller on a tie, for memory;
// where memory is short, smaller still, down to f-4.
bool construirPrimera(Index& index, const int* valors) {
    const int f = index.nprimera, s = index.nvalors - index.inici, marca = index.nblocs;
    const auto cost = [f, s](int b) { return (std::uint64_t{1} << (f - b + s)) + (std::uint64_t{2} << b); };
    int b = std::max(1, f - 4);
    for (int c = b; c <= std::min(f, s); ++c) b = cost(c) < cost(b) ? c : b;
    std::uint64_t *llistaB = nullptr, *aux = nullptr;
    for (++b; aux == nullptr && --b >= std::max(1, f - 4);) {
        alliberarDesDe(index, marca);
        llistaB = static_cast<std::uint64_t*>(reservar(index, std::uint64_t{8} << b));
        if (llistaB == nullptr) continue;
        aux = static_cast<std::uint64_t*>(reservar(index, std::uint64_t{4} << b));
    }
    if (aux == nullptr) {
        alliberarDesDe(index, marca);
        return false;
    }
    const int a = f - b;
    const std::uint32_t nb = 1u << b;
    llistar(valors, a, b, llistaB, aux);
    alliberar(index, aux);
    const std::uint64_t total = std::uint64_t{1} << f;
    index.completable = reservarBits(index, total);
    std::uint64_t* qualsevol = reservarBits(index, total);
    if (index.completable == nullptr || qualsevol == nullptr) {
        alliberarDesDe(index, marca);
        return false;
    }

    // The table's key 0 comes first, from the empty subset; whether a
    // non-empty one has key 0 too.
    const std::uint32_t entrades = 1u << (index.nvalors - index.inici);
    const bool zeroNoBuit = entrades > 1 && clau(index.entrades[1]) == 0;
    const std::uint32_t objectiu = barrejar(index.objectiu);
    for (std::uint32_t ma = 0; ma < (1u << a); ++ma) {
        std::uint32_t c = objectiu;
        for (int j = 0; j < a; ++j) {
            if ((ma >> (a - 1 - j)) & 1) c -= barrejar(static_cast<std::uint32_t>(valors[j]));
        }
        // The needed key c - clau(llistaB[i]) rises as i falls, wrapping
        // once: the B below `tall` first, then those above. The table, which
        // ends in a key that no needed key passes, is read alongside.
        const auto tall = static_cast<std::uint32_t>(
            std::upper_bound(llistaB, llistaB + nb, std::uint64_t{c} << 32 | UINT32_MAX) - llistaB);
        const std::uint32_t trams[2][2] = {{tall, 0}, {nb, tall}};
        std::uint32_t p = 0;
        for (const auto& tram : trams) {
            for (std::uint32_t i = tram[0]; i > tram[1];) {
                const std::uint32_t necessaria = c - clau(llistaB[i - 1]), trobada = clau(index.entrades[p]);
                if (trobada == necessaria && p < entrades) {
                    const std::uint64_t x = std::uint64_t{ma} << b | mascara(llistaB[i - 1]);
                    posarBit(qualsevol, x);
                    if (necessaria != 0 || zeroNoBuit) posarBit(index.completable, x);
                }
                p += trobada < necessaria;
                i -= trobada >= necessaria;
            }
        }
    }
    alliberar(index, llistaB);
    index.nivells = reservarBits(index, total);
    if (index.nivells == nullptr) {
        alliberarDesDe(index, marca);
        return false;
    }

    // Level m, block j: some subset of the block but its first reaches the
    // target. That is level m-1 of the block's first half, or any subset of
    // its second half; `qualsevol` is folded in place into the "any subset
    // of the block" answer of the level just done.
    for (int m = 1; m <= f; ++m) {
        const std::uint64_t actual = iniciNivell(f, m), anterior = m > 1 ? iniciNivell(f, m - 1) : 0;
        const std::uint64_t blocs = total >> m;
        if (blocs >= 64) {
            const std::uint64_t* nivellAnterior = index.nivells + anterior / 64;
            std::uint64_t* nivell = index.nivells + actual / 64;
            for (std::uint64_t w = 0; w < blocs / 64; ++w) {
                const std::uint64_t q0 = qualsevol[2 * w], q1 = qualsevol[2 * w + 1];
                const std::uint64_t n0 = m > 1 ? nivellAnterior[2 * w] : 0, n1 = m > 1 ? nivellAnterior[2 * w + 1] : 0;
                nivell[w] = parells(n0 | q0 >> 1) | parells(n1 | q1 >> 1) << 32;
                qualsevol[w] = parells(q0 | q0 >> 1) | parells(q1 | q1 >> 1) << 32;
            }
            continue;
        }
        for (std::uint64_t j = 0; j < blocs; ++j) {
            if ((m > 1 && bit(index.nivells, anterior + 2 * j)) || bit(qualsevol, 2 * j + 1)) {
                posarBit(index.nivells, actual + j);
            }
            const std::uint64_t bitJ = std::uint64_t{1} << (j & 63);
            const bool algun = bit(qualsevol, 2 * j) || bit(qualsevol, 2 * j + 1);
            qualsevol[j >> 6] = algun ? qualsevol[j >> 6] | bitJ : qualsevol[j >> 6] & ~bitJ;
        }
    }
    alliberar(index, qualsevol);
    return true;
}

// ---------------------------------------------------------------------------
// The index: choosing and building

// Up to this many values the whole walk (at most 1023 nodes) costs less than
// building an index, so there is none: callgrind counts 136,023 instructions
// for `pickfit 3 2 3 5 5` with an index and 133,038 without.
constexpr int MAX_SENSE_INDEX = 10;

// Size limits of the two halves. A second half of s positions takes 8.25
// bytes an entry, 264 MiB for 25 (and half as much again while it is
// built); a first half of f positions two bitmaps of 2^f bits, and while it
// is built a third and its list of up to 2^s entries, with a buffer, 12
// bytes an entry.
constexpr int MAX_SEGONA = 25;
constexpr int MAX_PRIMERA = 29;

// What the reachability bitsets may take.
constexpr std::uint64_t MEMORIA_INDEX = std::uint64_t{640} << 20;

// What the two halves keep.
std::uint64_t midaDuesMeitats(int segona, int primera) {
    return (std::uint64_t{33} << segona) / 4 + (std::uint64_t{1} << primera) / 4;
}

// Chooses the cheapest exact index that memory allows, and builds it; see
// the map above `potImprimir`.
void construirIndex(Index& index, const int* valors) {
    const int n = index.nvalors;
    index.inici = n;
    index.preparat = true;
    if (n <= MAX_SENSE_INDEX) return;
    const int segona = std::min(n - n / 2, MAX_SEGONA);
    const bool duesMeitats = n - segona <= MAX_PRIMERA;
    const Totals t = totals(valors, n, index.objectiu);
    if (spanEstret(t)) {
        const std::uint64_t bytes = midaAbast(valors, n, t, n);
        const std::uint64_t limit =
            duesMeitats ? std::min(MEMORIA_INDEX, midaDuesMeitats(segona, n - segona)) : MEMORIA_INDEX;
        if (bytes <= limit && construirAbast(index, valors, t, n)) return;
    }
    if (duesMeitats) {
        construirSegonaQueCapiga(index, valors, segona);
        index.nprimera = index.inici < n && index.inici <= MAX_PRIMERA ? index.inici : 0;
        if (index.nprimera > 0 && !construirPrimera(index, valors)) index.nprimera = 0;
        if (index.nprimera > 0) return;
    } else {
        // The last positions wait for the walk to reach them; the first
        // ones get bitsets while they fit beside them.
        index.inici = n - MAX_SEGONA;
        index.preparat = false;
        const std::uint64_t lloc = MEMORIA_INDEX - midaDuesMeitats(MAX_SEGONA, 0);
        for (int fins = index.inici; spanEstret(t) && fins > 0; fins /= 2) {
            if (midaAbast(valors, n, t, fins) <= lloc && construirAbast(index, valors, t, fins)) break;
        }
    }
    construirResidus(index, valors);
}

// ---------------------------------------------------------------------------
// The search

// The selection among positions [tros, tros + fins), fins <= 64, as bits.
// Where the processor has SSE2, four flags a compare.
inline __attribute__((always_inline)) std::uint64_t triar(const int* valorsActuals, int tros, int fins) {
    std::uint64_t triats = 0;
    int i = 0;
#if defined(__SSE2__)
    for (const __m128i utilitzat = _mm_set1_epi32(UTILITZAT); i + 4 <= fins; i += 4) {
        const __m128i flags = _mm_loadu_si128(reinterpret_cast<const __m128i*>(valorsActuals + tros + i));
        const auto iguals = static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(flags, utilitzat))));
        triats |= std::uint64_t{iguals} << i;
    }
#endif
    for (; i < fins; ++i) triats |= std::uint64_t{valorsActuals[tros + i] == UTILITZAT} << i;
    return triats;
}

// Writes the line of the selection among the first n positions. The texts
// of the values and the target were formatted when the run began, and the
// values that this selection shares with the last line's, up to their first
// difference, are in `linia` already. Out of line, so that the recursion's
// frames stay small.
__attribute__((noinline)) void mostrarResultat(Sortida& sortida, int n, const int* valorsActuals) {
    // Local copies: stores through a char pointer could otherwise change them.
    const char* const textos = sortida.textos;
    const unsigned char* const llargades = sortida.llargades;
    std::uint64_t* const triats = sortida.triats;
    std::uint32_t* const inicis = sortida.inicis;
    char* const linia = sortida.linia;
    const int nparaules = (n + 63) / 64, abans = sortida.nparaules;

    // The selection, and the first position where it leaves the last one;
    // the last line's text stays up to its first value from there on.
    int primera = n;
    std::size_t llargada = sortida.llargadaLinia;
    for (int w = 0; w < std::max(nparaules, abans); ++w) {
        const std::uint64_t nou = w < nparaules ? triar(valorsActuals, 64 * w, std::min(n - 64 * w, 64)) : 0;
        if (primera == n && nou != triats[w]) {
            primera = std::min(n, 64 * w + __builtin_ctzll(nou ^ triats[w]));
            for (int v = w; v < abans; ++v) {
                const std::uint64_t seguents = triats[v] & (v == w ? TOTS << (primera - 64 * w) % 64 : TOTS);
                if (seguents != 0) {
                    llargada = inicis[64 * v + __builtin_ctzll(seguents)];
                    break;
                }
            }
        }
        triats[w] = nou;
    }
    sortida.nparaules = nparaules;

    // Where the output has room for the longest line this can be, the line
    // goes straight there: the shared text from `linia`, then each new value
    // both there and into `linia`. Otherwise it is put together in `linia`
    // and written out in pieces. Position n-1 is always selected: its '+'
    // becomes the '='.
    const char* const objectiu = textos + static_cast<std::size_t>(sortida.objectiu) * RANURA;
    char* directa = nullptr;
    if (CAPACITAT - sortida.ple >= llargada + 12 * static_cast<std::size_t>(n - primera) + 2 * RANURA) {
        directa = sortida.text + sortida.ple;
        for (std::size_t fet = 0; fet < llargada; fet += RANURA) std::memcpy(directa + fet, linia + fet, RANURA);
    }
    for (int w = primera / 64; w < nparaules; ++w) {
        for (std::uint64_t nous = triats[w] & TOTS << (w == primera / 64 ? primera % 64 : 0); nous != 0;
             nous &= nous - 1) {
            const int posicio = 64 * w + __builtin_ctzll(nous);
            const char* const ranura = textos + static_cast<std::size_t>(posicio) * RANURA;
            inicis[posicio] = static_cast<std::uint32_t>(llargada);
            std::memcpy(linia + llargada, ranura, RANURA);
            if (directa != nullptr) std::memcpy(directa + llargada, ranura, RANURA);
            llargada += llargades[posicio];
        }
    }
    sortida.llargadaLinia = llargada;
    if (directa != nullptr) {
        directa[llargada - 1] = '=';
        std::memcpy(directa + llargada, objectiu, RANURA);
        sortida.ple += llargada + llargades[sortida.objectiu];
    } else {
        linia[llargada - 1] = '=';
        escriureTot(sortida, linia, llargada);
        linia[llargada - 1] = '+';
        escriureTot(sortida, objectiu, llargades[sortida.objectiu]);
    }
    if (sortida.perLinia) buidar(sortida);
}

// The index state of a node: its total, and depending on where its highest
// position k-1 stands, in the first half its first-half subset `x`, in the
// second half the run `rang` of entries that are matches in its subtree.
struct Estat {
    std::uint32_t total, x;
    Rang rang;
};

// What every node of one search shares. The states of the nodes on the
// current path are kept here by depth, not on the stack, so that a level of
// recursion costs little stack: a path can be as long as the command line.
struct Cerca {
    int* valorsActuals;
    int nvalors;
    const int* valors;
    Index& index;
    Sortida& sortida;
    Estat* estats;
};

// Where the masks in `rang`, sorted and alike above `bit`, start having it:
// a count for short runs, which is cheaper than mispredicted branches.
std::uint32_t tallar(const std::uint64_t* entrades, Rang rang, std::uint32_t bit) {
    if (rang.final - rang.inici > 16) {
        return static_cast<std::uint32_t>(std::partition_point(entrades + rang.inici, entrades + rang.final,
                                                               [bit](std::uint64_t e) { return (e & bit) == 0; }) -
                                          entrades);
    }
    std::uint32_t tall = rang.inici;
    for (std::uint32_t i = rang.inici; i < rang.final; ++i) tall += (entrades[i] & bit) == 0;
    return tall;
}

// The walk asks one question before it goes down into a child: can the
// child's subtree print anything? The child of a node of depth k takes
// position k and keeps the node's positions below k, but for k-1 when it is
// the first child. With P the positions it keeps, its subtree holds P + Z
// for every non-empty Z among positions k..N-1, so it prints exactly when
// some such Z totals resta = target - total(P) modulo 2^32. `potImprimir`
// answers from the index, which covers each position with at most one exact
// kind. Where none does, sound filters answer: they may let a barren subtree
// through but never cut a fruitful one. No kind changes the output.
//
// - No index, for N <= 10: every child is visited.
// - Reachability bitsets, positions [0, nabast): R_k, the totals of the
//   non-empty subsets of positions k.., as bits over a window of integer
//   totals. Exact. Needs a span (sum of |v|) below 2^32, so that totals
//   never alias, and costs the windows' bits, about N x min(target, span)/2.
//   Chosen for all positions when that is within MEMORIA_INDEX and below
//   what the two halves would take; else, past the two halves' reach, for
//   as many first positions as fit beside the lazy table.
// - The two halves, when the bitsets are not chosen and the first half has
//   at most MAX_PRIMERA positions. The second half, positions [inici, N),
//   up to MAX_SEGONA of them, is a table of all its subsets, (mixed sum,
//   mask) sorted, 8.25 bytes an entry. At k == inici the child looks resta
//   up in it and keeps the run of matching entries; past inici a child's
//   run is its parent's, split at the parent's highest position. The first
//   half, positions [0, nprimera = inici), has two bitmaps over its 2^f
//   subsets X: whether X is completed by a non-empty second-half subset, and
//   for each aligned block of X (the subsets that agree on their first
//   positions), whether one but the block's first is completed by any. A
//   child there answers from two bits. Exact everywhere.
// - The lazy table, past the two halves' reach: the second half alone, over
//   the last MAX_SEGONA positions, built when the walk first reaches inici,
//   so that a run the filters settle near the root ends at once.
// - Filters, for the positions no exact kind covers: R_k modulo 2^b, which
//   catches structure such as every value even and an odd target, and the
//   bounds of the integer totals that positions k.. reach. The bounds are
//   built for every N > 10, before the rest, and count as the walk's own.
// - Shrinking: all index memory comes from `reservar` and may be refused
//   under a memory limit. The table then tries one position fewer, down to
//   none; the first half and the bitsets are given up whole; the residues
//   stay if they fit. A refusal never ends the run: what the walk itself
//   needs was taken before the index.
//
// Masks: in the table, bit N-1-j stands for position j, so that the subsets
// that agree on their first positions form one run; in the first half, bit
// f-1-j of X stands for position j.
bool consultar(const Cerca& c, int k, bool deixa, std::uint32_t resta);

__attribute__((noinline)) bool potImprimir(const Cerca& c, int k, bool deixa) {
    const Index& index = c.index;
    const Estat& node = c.estats[k];
    const std::uint32_t prefix = deixa ? node.total - static_cast<std::uint32_t>(c.valors[k - 1]) : node.total;
    c.estats[k + 1].total = prefix + static_cast<std::uint32_t>(c.valors[k]);
    const std::uint32_t resta = index.objectiu - prefix;
    if (k < index.nabast) {
        const Finestra& finestra = index.finestres[k];
        const std::uint32_t d = resta - finestra.base;
        return d < finestra.mida && bit(index.abast + finestra.paraula, d);
    }
    return consultar(c, k, deixa, resta);
}

// The kinds other than the bitsets, out of line so that the recursion's
// frames stay small.
__attribute__((noinline)) bool consultar(const Cerca& c, int k, bool deixa, std::uint32_t resta) {
    Index& index = c.index;
    const Estat& node = c.estats[k];
    Estat& fill = c.estats[k + 1];
    if (k == index.inici && !index.preparat) construirSegonaQueCapiga(index, c.valors, MAX_SEGONA);
    if (k > index.inici) {
        // The node's run splits at position k-1. The second child leaves out
        // the entry with nothing after k-1: that is the node itself.
        const std::uint32_t bitAnterior = 1u << (index.nvalors - k);
        const std::uint32_t tall = tallar(index.entrades, node.rang, bitAnterior);
        fill.rang = deixa ? Rang{node.rang.inici, tall} : Rang{tall, node.rang.final};
        if (!deixa && fill.rang.inici < fill.rang.final &&
            (mascara(index.entrades[fill.rang.inici]) & (bitAnterior - 1)) == 0) {
            ++fill.rang.inici;
        }
        return fill.rang.inici < fill.rang.final;
    }
    if (k == index.inici) {
        // The first child's look-up waits on memory; meanwhile the second
        // child's bucket, and then where its entries start, are fetched.
        const std::uint32_t* cubeta = index.cubetes + (barrejar(index.objectiu - node.total) >> index.desplacament);
        if (deixa) __builtin_prefetch(cubeta);
        fill.rang = trobar(index, barrejar(resta));
        if (deixa) __builtin_prefetch(index.entrades + *cubeta);
        // The empty subset, first in the run of key 0, does not count.
        if (fill.rang.inici < fill.rang.final && mascara(index.entrades[fill.rang.inici]) == 0) ++fill.rang.inici;
        return fill.rang.inici < fill.rang.final;
    }
    if (k < index.nprimera) {
        const int f = index.nprimera, m = f - k;
        const std::uint32_t x = deixa ? node.x & ~(1u << (f - k)) : node.x;
        fill.x = x | 1u << (f - 1 - k);
        return bit(index.completable, x) || bit(index.nivells, iniciNivell(f, m) + (x >> m));
    }
    if (index.bitsResidu > 0) {
        const int b = index.bitsResidu;
        const std::uint64_t* residus = index.residus + (static_cast<std::uint64_t>(k) << (b - 6));
        if (!bit(residus, resta & ((std::uint64_t{1} << b) - 1))) return false;
    }
    if (index.minims == nullptr) return true;
    // The integer totals lie in [minims[k], maxims[k]].
    const std::int64_t baix = index.minims[k], alt = index.maxims[k];
    return alt - baix >= (std::int64_t{1} << 32) ||
           baix + std::int64_t{resta - static_cast<std::uint32_t>(baix)} <= alt;
}

// Each node's total comes down its path with the index state, one addition
// a node, where totalling the selection afresh would cost one a value.
void buscar_suma(const Cerca& c, int nvalorsActual) {
    const int k = nvalorsActual;
    if (c.estats[k].total == c.index.objectiu) mostrarResultat(c.sortida, k, c.valorsActuals);
    if (k == c.nvalors) return;
    if (potImprimir(c, k, true)) {
        c.valorsActuals[k - 1] = NOUTILITZAT;
        c.valorsActuals[k] = UTILITZAT;
        buscar_suma(c, k + 1);
    }
    c.valorsActuals[k - 1] = UTILITZAT;
    if (potImprimir(c, k, false)) {
        c.valorsActuals[k] = UTILITZAT;
        buscar_suma(c, k + 1);
    }
}

// The outermost call takes what the walk needs, then builds the index in
// what memory is left, and owns the output: it writes what is left once the
// walk is over.
void buscar_suma(int nvalorsActual, int* valorsActuals, int nvalors, int* valors, int valorBuscat) {
    Sortida sortida{};
    prepararSortida(sortida, valors, nvalors, valorBuscat);
    auto* estats = static_cast<Estat*>(std::calloc(static_cast<std::size_t>(nvalors) + 1, sizeof(Estat)));
    if (estats == nullptr) fallar("out of memory", "");

    Index index{};
    index.nvalors = nvalors;
    index.objectiu = static_cast<std::uint32_t>(valorBuscat);
    // The bounds take 16 bytes a value; a run left with no filter at all
    // could take longer than anyone waits.
    if (nvalors > MAX_SENSE_INDEX && !construirLimits(index, valors)) fallar("out of memory", "");
    construirIndex(index, valors);

    const Cerca cerca{valorsActuals, nvalors, valors, index, sortida, estats};
    Estat& arrel = estats[nvalorsActual];
    arrel.total = static_cast<std::uint32_t>(valors[0]);
    arrel.x = index.nprimera > 0 ? 1u << (index.nprimera - 1) : 0;
    buscar_suma(cerca, nvalorsActual);
    buidar(sortida);
    alliberarDesDe(index, 0);
    std::free(estats);
    std::free(sortida.text);
    std::free(sortida.textos);
    std::free(sortida.llargades);
    std::free(sortida.linia);
    std::free(sortida.inicis);
    std::free(sortida.triats);
}

// Stack that one level of the walk takes, with a quarter to spare: 48 bytes
// on x86-64 and on i386, 160 under AddressSanitizer, measured by bisecting
// `ulimit -s` over paths of 20,000 and 40,000 levels. And room for the
// deepest call below any level, building the lazy table or writing an
// error, which -fstack-usage puts under 2 KiB.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::uint64_t PILA_PER_NIVELL = 200;
constexpr std::uint64_t PILA_RESERVA = 64 << 10;
#else
constexpr std::uint64_t PILA_PER_NIVELL = 60;
constexpr std::uint64_t PILA_RESERVA = 16 << 10;
#endif

// Bytes of stack in use from its top down to here: the arguments, the
// environment and the frames of the calls so far.
std::uint64_t pilaEnUs() {
    // The kernel puts the program's file name at the very top of the stack.
    const auto* nom = reinterpret_cast<const char*>(getauxval(AT_EXECFN));
    if (nom == nullptr) return static_cast<std::uint64_t>(sysconf(_SC_ARG_MAX));
    const std::uintptr_t pagina = getauxval(AT_PAGESZ) > 0 ? getauxval(AT_PAGESZ) : 4096;
    const std::uintptr_t dalt = (reinterpret_cast<std::uintptr_t>(nom) + std::strlen(nom) + pagina) & ~(pagina - 1);
    const char aqui = 0;
    return dalt - reinterpret_cast<std::uintptr_t>(&aqui);
}

// Bytes of stack that the run needs: what is in use and what the walk adds,
// one level per value at the most.
std::uint64_t pilaNecessaria(int nvalors) {
    return pilaEnUs() + static_cast<std::uint64_t>(nvalors) * PILA_PER_NIVELL + PILA_RESERVA;
}

// Raises the soft stack limit to what the run needs, if the hard limit
// allows it. The 64-bit interface reads a hard limit of 4 GiB or more as it
// is, where the 32-bit one would call it infinite.
bool assegurarPila(std::uint64_t cal) {
    rlimit64 limit{};
    if (getrlimit64(RLIMIT_STACK, &limit) != 0) return false;
    if (limit.rlim_cur == RLIM64_INFINITY || limit.rlim_cur >= cal) return true;
    if (limit.rlim_max != RLIM64_INFINITY && limit.rlim_max < cal) return false;
    limit.rlim_cur = cal;
    return setrlimit64(RLIMIT_STACK, &limit) == 0;
}

__attribute__((noinline)) void tocarPila(std::size_t bytes) {
    volatile char* pila = static_cast<volatile char*>(alloca(bytes));
    for (std::size_t i = bytes; i > 0; i -= std::min<std::size_t>(i, 4096)) pila[i - 1] = 0;
}

// Under an address-space limit (ulimit -v) the stack grows into what the
// index would leave, and a stack that cannot grow kills the run. So the
// walk's stack is grown now, before the index takes what is left, once a
// mapping of that size has shown that the limit allows it.
void reservarPila(std::uint64_t cal) {
    rlimit64 limit{};
    if (getrlimit64(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM64_INFINITY) return;
    const auto bytes = static_cast<std::size_t>(cal - std::min(cal, pilaEnUs() + 4096));
    void* prova = mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (prova == MAP_FAILED) fallar("out of memory", "");
    munmap(prova, bytes);
    tocarPila(bytes);
}

}  // namespace

int main(int argc, char** argv) {
    const int nvalors = argc > 1 ? convertir(argv[1]) : 0;
    if (nvalors < 1 || argc - 2 < nvalors) {
        const char us[] = "usage: pickfit N VALUE... TARGET\n";
        const ssize_t escrit = write(STDERR_FILENO, us, sizeof us - 1);
        (void)escrit;
        return 1;
    }
    const std::uint64_t pila = pilaNecessaria(nvalors);
    if (!assegurarPila(pila)) fallar("too many values for the stack size limit (ulimit -s)", "");
    int* valors = static_cast<int*>(std::calloc(static_cast<std::size_t>(nvalors), 4));
    if (valors == nullptr) fallar("out of memory", "");
    for (int i = 0; i < nvalors; ++i) valors[i] = convertir(argv[i + 2]);
    const int valorbuscat = convertir(argv[argc - 1]);
    int* valorsActuals = static_cast<int*>(std::calloc(static_cast<std::size_t>(nvalors), 4));
    if (valorsActuals == nullptr) fallar("out of memory", "");
    for (int k = 0; k < nvalors; ++k) valorsActuals[k] = NOUTILITZAT;
    valorsActuals[0] = UTILITZAT;
    reservarPila(pila);
    buscar_suma(1, valorsActuals, nvalors, valors, valorbuscat);
    std::exit(0);
}
