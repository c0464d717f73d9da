// pickfit: prints every non-empty selection of N integers whose 32-bit total
// equals a target, one line per selection, in depth-first visiting order.
//
// The walk visits only the nodes whose subtree holds a match. Before it
// descends into a child it asks an index, built once per run, whether any
// selection in that subtree can total the target modulo 2^32; a subtree is
// skipped only when the answer is a proof that it prints nothing.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int UTILITZAT = 1;
constexpr int NOUTILITZAT = 0;

// ---------------------------------------------------------------------------
// Output

// Result lines are gathered here and written to standard output in large
// blocks. The first failed write is remembered and stops the search.
struct Sortida {
    static constexpr std::size_t capacitat = 1 << 16;
    char text[capacitat];
    std::size_t ple = 0;
    int error = 0;
};

[[noreturn]] void fallar(const char* missatge, const char* detall) {
    std::fprintf(stderr, "pickfit: %s%s\n", missatge, detall);
    std::exit(1);
}

bool buidar(Sortida& sortida) {
    std::size_t escrit = 0;
    while (escrit < sortida.ple && sortida.error == 0) {
        const ssize_t n = write(STDOUT_FILENO, sortida.text + escrit, sortida.ple - escrit);
        if (n > 0) {
            escrit += static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            sortida.error = n == 0 ? EIO : errno;
        }
    }
    sortida.ple = 0;
    return sortida.error == 0;
}

// Makes room for one integer and the character after it at `cursor`: the
// widest int32 is 11 characters, so 12 bytes suffice. Inlined, as it runs
// once per printed value.
inline __attribute__((always_inline)) char* ferLloc(Sortida& sortida, char* cursor) {
    if (cursor <= sortida.text + sortida.capacitat - 12) return cursor;
    sortida.ple = static_cast<std::size_t>(cursor - sortida.text);
    buidar(sortida);
    return sortida.text;
}

char* escriure(char* cursor, int valor, char seguent) {
    cursor = std::to_chars(cursor, cursor + 11, valor).ptr;
    *cursor = seguent;
    return cursor + 1;
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
// The index

// Zero-filled memory, released when the owner goes.
struct Bloc {
    void* adreca = nullptr;

    bool reservar(std::uint64_t bytes) {
        alliberar();
        if (bytes == 0 || bytes > SIZE_MAX / 2) return false;
        adreca = std::calloc(static_cast<std::size_t>(bytes), 1);
        return adreca != nullptr;
    }
    void alliberar() {
        std::free(adreca);
        adreca = nullptr;
    }
    template <typename T>
    T* com() const {
        return static_cast<T*>(adreca);
    }
    Bloc() = default;
    Bloc(const Bloc&) = delete;
    Bloc& operator=(const Bloc&) = delete;
    ~Bloc() { alliberar(); }
};

bool bit(const std::uint64_t* bits, std::uint64_t i) { return (bits[i >> 6] >> (i & 63)) & 1; }
void posarBit(std::uint64_t* bits, std::uint64_t i) { bits[i >> 6] |= std::uint64_t{1} << (i & 63); }

// Size limits. With 25 positions in the second half its table takes 296 MiB
// (keys and masks, 8 bytes an entry; filter; buckets), and sorting it needs
// a buffer that is small unless many subsets share a sum, and then at most
// 256 MiB more; the first half costs three bitmaps of 2^n bits. At N = 50
// bench/run measured a peak of 309 MiB; no run comes near 1 GiB.
constexpr int MAX_SEGONA = 25;
constexpr int MAX_PRIMERA = 26;

// Up to this many values the whole walk (at most 1023 nodes) costs less than
// building an index, so there is none: callgrind counts 136,023 instructions
// for `pickfit 3 2 3 5 5` with an index and 133,038 without.
constexpr int MAX_SENSE_INDEX = 10;

// Sums are compared after a multiplication by an odd constant, which is a
// bijection on 32 bits: equal sums stay equal, and clustered sums (small
// values) spread evenly over buckets. Mixing is linear, so mixed values add
// up to the mixed sum.
std::uint32_t barrejar(std::uint32_t suma) { return suma * 0x9E3779B1u; }

// Mixed sums of the subsets of n consecutive positions ending at `ultima`,
// a subset being a mask whose bit b stands for position ultima-b: the sum of
// its high bits plus that of its low bits, from two small tables.
struct SumesParcials {
    static constexpr int MAX_MEITAT = (MAX_PRIMERA + 1) / 2;
    std::uint32_t baixes[1 << MAX_MEITAT], altes[1 << MAX_MEITAT];
    int nbaixos;

    SumesParcials(const int* valors, int ultima, int n) : nbaixos(n / 2) {
        baixes[0] = altes[0] = 0;
        for (std::uint32_t i = 1; i < (1u << nbaixos); ++i) {
            baixes[i] = baixes[i & (i - 1)] + barrejar(static_cast<std::uint32_t>(valors[ultima - __builtin_ctz(i)]));
        }
        for (std::uint32_t i = 1; i < (1u << (n - nbaixos)); ++i) {
            altes[i] =
                altes[i & (i - 1)] + barrejar(static_cast<std::uint32_t>(valors[ultima - nbaixos - __builtin_ctz(i)]));
        }
    }
    std::uint32_t operator()(std::uint64_t mascara) const {
        return altes[mascara >> nbaixos] + baixes[mascara & ((1u << nbaixos) - 1)];
    }
};

struct Rang {
    std::uint32_t inici, final;
};

// Positions [inici, nvalors) form the second half. Every non-empty subset of
// it is an entry (mixed sum, mask), sorted by mixed sum and, for equal sums,
// by mask; bit nvalors-1-j of a mask stands for position j, so the subsets
// that agree on their first positions form one contiguous run. A bitmap over
// the top bits of the mixed sums turns most absent sums away at once.
// Positions [0, nprimera) form the first half, present only when the two
// halves cover every position. For a first-half subset X (position 0 as the
// most significant bit) `completable` says that some non-empty second-half
// subset brings X to the target, and level m of `nivells` says, for each
// aligned block of 2^m first-half subsets, whether one of them other than the
// block's first reaches the target with any second-half subset at all.
// Above the indexed positions, suffix bounds on the reachable totals prune.
struct Index {
    int nvalors = 0;
    std::uint32_t objectiu = 0;
    int inici = 0;
    int nprimera = 0;
    bool preparat = true;  // false while the second half waits to be built
    int desplacament = 32, desplacamentFiltre = 32;
    Bloc claus, mascares, cubetes, filtre, completable, nivells, minims, maxims;

    std::uint32_t mascara(int posicio) const { return 1u << (nvalors - 1 - posicio); }
    std::uint32_t bitPrimera(int posicio) const { return 1u << (nprimera - 1 - posicio); }

    bool potser(std::uint32_t clau) const { return bit(filtre.com<std::uint64_t>(), clau >> desplacamentFiltre); }

    // The entries with this mixed sum.
    Rang trobar(std::uint32_t clau) const {
        const std::uint32_t* base = claus.com<std::uint32_t>();
        const std::uint32_t* limits = cubetes.com<std::uint32_t>() + (clau >> desplacament);
        const auto parell = std::equal_range(base + limits[0], base + limits[1], clau);
        return {static_cast<std::uint32_t>(parell.first - base), static_cast<std::uint32_t>(parell.second - base)};
    }

    // The entries whose second-half subsets total `suma`.
    Rang grup(std::uint32_t suma) const {
        const std::uint32_t clau = barrejar(suma);
        return potser(clau) ? trobar(clau) : Rang{0, 0};
    }

    // Can the first-half subsets of block x (free positions [k, nprimera))
    // be completed to the target by some non-empty subset of positions k..?
    bool primera(std::uint32_t x, int k) const {
        const int m = nprimera - k;
        const std::uint64_t nivell = (std::uint64_t{1} << nprimera) - (std::uint64_t{1} << (nprimera - m + 1));
        return bit(completable.com<std::uint64_t>(), x) || bit(nivells.com<std::uint64_t>(), nivell + (x >> m));
    }

    // Can some non-empty subset of positions k.. total `resta` modulo 2^32?
    // Exact as a proof: the integer totals lie in [minims[k], maxims[k]].
    bool abast(std::uint32_t resta, int k) const {
        if (minims.adreca == nullptr) return true;
        const std::int64_t baix = minims.com<std::int64_t>()[k], alt = maxims.com<std::int64_t>()[k];
        if (alt - baix >= std::int64_t{1} << 32) return true;
        const std::uint32_t pas = resta - static_cast<std::uint32_t>(baix);
        return baix + std::int64_t{pas} <= alt;
    }
};

// One stable counting-sort pass of n entries by the 11 bits of their key
// from bit `desde`.
void passada(const std::uint32_t* claus, const std::uint32_t* mascares, std::uint32_t* clausDesti,
             std::uint32_t* mascaresDesti, std::uint32_t n, int desde) {
    std::uint32_t comptes[2049] = {};
    for (std::uint32_t i = 0; i < n; ++i) ++comptes[((claus[i] >> desde) & 2047) + 1];
    for (int d = 0; d < 2048; ++d) comptes[d + 1] += comptes[d];
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t desti = comptes[(claus[i] >> desde) & 2047]++;
        clausDesti[desti] = claus[i];
        mascaresDesti[desti] = mascares[i];
    }
}

// Stable insertion sort by key, for the short runs that small inputs give.
void ordenarPoques(std::uint32_t* claus, std::uint32_t* mascares, std::uint32_t n) {
    for (std::uint32_t i = 1; i < n; ++i) {
        const std::uint32_t clau = claus[i], mascara = mascares[i];
        std::uint32_t j = i;
        for (; j > 0 && claus[j - 1] > clau; --j) {
            claus[j] = claus[j - 1];
            mascares[j] = mascares[j - 1];
        }
        claus[j] = clau;
        mascares[j] = mascara;
    }
}

// Sorts the entries of masks 1..n by key, their mixed sum. First by the top
// 11 bits of the key, computed afresh in both passes; then each of those
// 2048 runs by the rest, in two passes through a buffer as large as the
// largest run, which stays in cache unless many subsets share a sum. Masks
// go in increasing order and every pass is stable, so equal sums keep their
// masks in increasing order.
bool ordenar(std::uint32_t* claus, std::uint32_t* mascares, std::uint32_t n, const SumesParcials& sumes) {
    if (n <= 64) {
        for (std::uint32_t mascara = 1; mascara <= n; ++mascara) {
            claus[mascara - 1] = sumes(mascara);
            mascares[mascara - 1] = mascara;
        }
        ordenarPoques(claus, mascares, n);
        return true;
    }
    std::uint32_t finals[2049] = {};
    for (std::uint32_t mascara = 1; mascara <= n; ++mascara) ++finals[(sumes(mascara) >> 21) + 1];
    std::uint32_t mesGran = 0;
    for (int t = 0; t < 2048; ++t) {
        mesGran = std::max(mesGran, finals[t + 1]);
        finals[t + 1] += finals[t];
    }
    for (std::uint32_t mascara = 1; mascara <= n; ++mascara) {
        const std::uint32_t clau = sumes(mascara);
        const std::uint32_t desti = finals[clau >> 21]++;
        claus[desti] = clau;
        mascares[desti] = mascara;
    }
    Bloc clausAux, mascaresAux;
    if (!clausAux.reservar(std::uint64_t{4} * mesGran) || !mascaresAux.reservar(std::uint64_t{4} * mesGran)) {
        return false;
    }
    std::uint32_t* clausEntre = clausAux.com<std::uint32_t>();
    std::uint32_t* mascaresEntre = mascaresAux.com<std::uint32_t>();
    for (std::uint32_t t = 0, principi = 0; t < 2048; principi = finals[t++]) {
        const std::uint32_t mida = finals[t] - principi;
        if (mida <= 64) {
            ordenarPoques(claus + principi, mascares + principi, mida);
        } else {
            passada(claus + principi, mascares + principi, clausEntre, mascaresEntre, mida, 0);
            passada(clausEntre, mascaresEntre, claus + principi, mascares + principi, mida, 11);
        }
    }
    return true;
}

// Tabulates the non-empty subsets of positions [inici, nvalors).
bool construirSegona(Index& index, const int* valors, int inici) {
    const int n = index.nvalors - inici;
    const std::uint32_t entrades = (1u << n) - 1;
    // About 16 entries (one cache line of keys) a bucket, and 8 filter bits
    // an entry, which lets one absent sum in 8 through.
    const int bits = std::max(1, n - 4), bitsFiltre = n + 3;
    if (!index.claus.reservar(std::uint64_t{4} * entrades) || !index.mascares.reservar(std::uint64_t{4} * entrades) ||
        !index.cubetes.reservar((std::uint64_t{4} << bits) + 4) ||
        !index.filtre.reservar(std::max<std::uint64_t>(8, std::uint64_t{1} << (bitsFiltre - 3)))) {
        return false;
    }
    std::uint32_t* claus = index.claus.com<std::uint32_t>();
    if (!ordenar(claus, index.mascares.com<std::uint32_t>(), entrades, SumesParcials(valors, index.nvalors - 1, n))) {
        return false;
    }
    std::uint32_t* cubetes = index.cubetes.com<std::uint32_t>();
    std::uint64_t* filtre = index.filtre.com<std::uint64_t>();
    index.desplacament = 32 - bits;
    index.desplacamentFiltre = 32 - bitsFiltre;
    std::uint32_t cubeta = 0;
    for (std::uint32_t i = 0; i < entrades; ++i) {
        for (; cubeta <= (claus[i] >> index.desplacament); ++cubeta) cubetes[cubeta] = i;
        posarBit(filtre, claus[i] >> index.desplacamentFiltre);
    }
    for (; cubeta <= (1u << bits); ++cubeta) cubetes[cubeta] = entrades;
    index.inici = inici;
    return true;
}

// For every first-half subset X, whether it reaches the target with a
// non-empty second-half subset, with any (possibly empty) one, and then the
// block levels over the latter.
bool construirPrimera(Index& index, const int* valors) {
    const int n = index.nprimera;
    const std::uint64_t total = std::uint64_t{1} << n;
    Bloc qualsevol;
    const std::uint64_t paraules = (total + 63) / 64;
    if (!index.completable.reservar(8 * paraules) || !index.nivells.reservar(8 * paraules) ||
        !qualsevol.reservar(8 * paraules)) {
        return false;
    }
    // X needs a second-half subset of mixed sum barrejar(objectiu) - sumes(X);
    // a needed sum of 0 means that X alone reaches the target.
    const SumesParcials sumes(valors, n - 1, n);
    const std::uint32_t objectiu = barrejar(index.objectiu);
    std::uint64_t* completable = index.completable.com<std::uint64_t>();
    std::uint64_t* any = qualsevol.com<std::uint64_t>();
    const std::uint32_t* claus = index.claus.com<std::uint32_t>();
    const std::uint32_t* cubetes = index.cubetes.com<std::uint32_t>();
    // In batches, without branches on what memory holds until the loads of a
    // whole batch are under way: the filter first, then for the subsets it
    // lets through, the buckets and their keys.
    constexpr std::uint64_t lot = 256;
    for (std::uint64_t x0 = 0; x0 < total; x0 += lot) {
        std::uint32_t necessaries[lot], candidats[lot], ncandidats = 0;
        const std::uint64_t fins = std::min(lot, total - x0);
        for (std::uint32_t i = 0; i < fins; ++i) {
            necessaries[i] = objectiu - sumes(x0 + i);
            candidats[ncandidats] = i;
            ncandidats += index.potser(necessaries[i]);
            any[(x0 + i) >> 6] |= std::uint64_t{necessaries[i] == 0} << ((x0 + i) & 63);
        }
        for (std::uint32_t j = 0; j < ncandidats; ++j) {
            __builtin_prefetch(cubetes + (necessaries[candidats[j]] >> index.desplacament));
        }
        for (std::uint32_t j = 0; j < ncandidats; ++j) {
            __builtin_prefetch(claus + cubetes[necessaries[candidats[j]] >> index.desplacament]);
        }
        for (std::uint32_t j = 0; j < ncandidats; ++j) {
            const Rang grup = index.trobar(necessaries[candidats[j]]);
            if (grup.final > grup.inici) {
                posarBit(completable, x0 + candidats[j]);
                posarBit(any, x0 + candidats[j]);
            }
        }
    }
    // Level m, block j: some subset of the block but its first reaches the
    // target. That is level m-1 of the block's first half, or any subset of
    // its second half; `qualsevol` is folded in place into the "any subset of
    // the block" answer of the level just done.
    std::uint64_t* nivells = index.nivells.com<std::uint64_t>();
    for (int m = 1; m <= n; ++m) {
        const std::uint64_t actual = total - (total >> (m - 1));
        const std::uint64_t anterior = m > 1 ? total - (total >> (m - 2)) : 0;
        for (std::uint64_t j = 0; j < (total >> m); ++j) {
            if ((m > 1 && bit(nivells, anterior + 2 * j)) || bit(any, 2 * j + 1)) posarBit(nivells, actual + j);
            const std::uint64_t bitJ = std::uint64_t{1} << (j & 63);
            any[j >> 6] = (bit(any, 2 * j) || bit(any, 2 * j + 1)) ? any[j >> 6] | bitJ : any[j >> 6] & ~bitJ;
        }
    }
    return true;
}

// Suffix bounds of the integer totals that non-empty subsets of positions
// k.. can reach: the sum of the negative values (or, with none, the least
// value) up to the sum of the positive ones (or, with none, the greatest).
void construirLimits(Index& index, const int* valors) {
    const auto mida = static_cast<std::uint64_t>(index.nvalors) * 8;
    if (!index.minims.reservar(mida) || !index.maxims.reservar(mida)) {
        index.minims.alliberar();
        return;
    }
    std::int64_t negatius = 0, positius = 0, menor = INT32_MAX, major = INT32_MIN;
    for (int k = index.nvalors - 1; k >= 0; --k) {
        (valors[k] < 0 ? negatius : positius) += valors[k];
        menor = std::min<std::int64_t>(menor, valors[k]);
        major = std::max<std::int64_t>(major, valors[k]);
        index.minims.com<std::int64_t>()[k] = negatius < 0 ? negatius : menor;
        index.maxims.com<std::int64_t>()[k] = positius > 0 ? positius : major;
    }
}

// Tabulates the largest second half that memory allows, from `segona`
// positions down; with none, the bounds alone prune.
void construirSegonaQueCapiga(Index& index, const int* valors, int segona) {
    for (; segona > 0; --segona) {
        if (construirSegona(index, valors, index.nvalors - segona)) break;
    }
    if (segona == 0) index.inici = index.nvalors;
    index.preparat = true;
}

// With two halves the whole index is built at once. With a second half only,
// it is built when the walk first reaches it, so that a run the bounds settle
// near the root ends at once. Short runs go without.
void construir(Index& index, const int* valors) {
    const int nvalors = index.nvalors;
    if (nvalors <= MAX_SENSE_INDEX) {
        index.inici = nvalors;
        return;
    }
    const int segona = std::min(nvalors - nvalors / 2, MAX_SEGONA);
    if (nvalors - segona <= MAX_PRIMERA) {
        construirSegonaQueCapiga(index, valors, segona);
        index.nprimera = index.inici < nvalors && index.inici <= MAX_PRIMERA ? index.inici : 0;
        if (index.inici == 0 || (index.nprimera > 0 && construirPrimera(index, valors))) return;
        index.nprimera = 0;
    } else {
        index.inici = nvalors - MAX_SEGONA;
        index.preparat = false;
    }
    construirLimits(index, valors);
}

// ---------------------------------------------------------------------------
// The search

// Total of the selected values among the first n, wrapping around in 32 bits.
int suma(int n, const int* valorsActuals, const int* valors) {
    std::uint32_t acumulador = 0;
    // Masking instead of branching lets the compiler vectorize the loop.
    for (int i = 0; i < n; ++i) {
        const std::uint32_t triat = 0u - static_cast<std::uint32_t>(valorsActuals[i] == UTILITZAT);
        acumulador += static_cast<std::uint32_t>(valors[i]) & triat;
    }
    return static_cast<int>(acumulador);
}

// Out of line, so that the recursion's frames stay small.
__attribute__((noinline)) void mostrarResultat(Sortida& sortida, int n, const int* valorsActuals, const int* valors,
                                               int resultat) {
    // Every value is written, and kept only if selected: unpredictable
    // branches on the flags would cost more than the formatting.
    char* cursor = sortida.text + sortida.ple;
    for (int i = 0; i < n - 1; ++i) {
        cursor = ferLloc(sortida, cursor);
        const char* despres = escriure(cursor, valors[i], '+');
        cursor += (despres - cursor) & -static_cast<std::ptrdiff_t>(valorsActuals[i] == UTILITZAT);
    }
    cursor = escriure(ferLloc(sortida, cursor), valors[n - 1], '=');
    cursor = escriure(ferLloc(sortida, cursor), resultat, '\n');
    sortida.ple = static_cast<std::size_t>(cursor - sortida.text);
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
    int valorBuscat;
    Index& index;
    Sortida& sortida;
    Estat* estats;
};

// Where the masks in `rang`, sorted and alike above `bit`, start having it:
// a count for short runs, which is cheaper than mispredicted branches.
std::uint32_t tallar(const std::uint32_t* mascares, Rang rang, std::uint32_t bit) {
    if (rang.final - rang.inici > 16) {
        return static_cast<std::uint32_t>(std::partition_point(mascares + rang.inici, mascares + rang.final,
                                                               [bit](std::uint32_t m) { return (m & bit) == 0; }) -
                                          mascares);
    }
    std::uint32_t tall = rang.inici;
    for (std::uint32_t i = rang.inici; i < rang.final; ++i) tall += (mascares[i] & bit) == 0;
    return tall;
}

// Decides on one child of the node of depth k, and if it is to be visited
// sets its state. The first child drops position k-1 (`deixa`), the second
// keeps it, and both take position k. A child's subtree is its prefix (the
// positions below k) plus any non-empty subset of positions k.., and it is
// visited only if that can reach the target. Out of line, so that the
// recursion's frames stay small.
__attribute__((noinline)) bool decidir(const Cerca& c, int k, bool deixa) {
    Index& index = c.index;
    if (k == index.inici && !index.preparat) construirSegonaQueCapiga(index, c.valors, MAX_SEGONA);
    const Estat& node = c.estats[k];
    Estat& fill = c.estats[k + 1];
    const std::uint32_t prefix = deixa ? node.total - static_cast<std::uint32_t>(c.valors[k - 1]) : node.total;
    fill.total = prefix + static_cast<std::uint32_t>(c.valors[k]);
    if (k - 1 >= index.inici) {
        // The node's run splits at position k-1. The second child leaves out
        // the entry with nothing after k-1: that is the node itself.
        const std::uint32_t* mascares = index.mascares.com<std::uint32_t>();
        const std::uint32_t bitAnterior = index.mascara(k - 1);
        const std::uint32_t tall = tallar(mascares, node.rang, bitAnterior);
        fill.rang = deixa ? Rang{node.rang.inici, tall} : Rang{tall, node.rang.final};
        if (!deixa && fill.rang.inici < fill.rang.final && (mascares[fill.rang.inici] & (bitAnterior - 1)) == 0) {
            ++fill.rang.inici;
        }
        return fill.rang.inici < fill.rang.final;
    }
    if (k == index.inici) {
        fill.rang = index.grup(index.objectiu - prefix);
        return fill.rang.inici < fill.rang.final;
    }
    if (k < index.nprimera) {
        const std::uint32_t prefixPrimera = deixa ? node.x & ~index.bitPrimera(k - 1) : node.x;
        fill.x = prefixPrimera | index.bitPrimera(k);
        return index.primera(prefixPrimera, k);
    }
    return index.abast(index.objectiu - prefix, k);
}

void buscar_suma(const Cerca& c, int nvalorsActual) {
    const int k = nvalorsActual;
    if (c.sortida.error != 0) return;
    if (suma(k, c.valorsActuals, c.valors) == c.valorBuscat) {
        mostrarResultat(c.sortida, k, c.valorsActuals, c.valors, c.valorBuscat);
    }
    if (k == c.nvalors) return;
    if (decidir(c, k, true)) {
        c.valorsActuals[k - 1] = NOUTILITZAT;
        c.valorsActuals[k] = UTILITZAT;
        buscar_suma(c, k + 1);
    }
    c.valorsActuals[k - 1] = UTILITZAT;
    if (decidir(c, k, false)) {
        c.valorsActuals[k] = UTILITZAT;
        buscar_suma(c, k + 1);
    }
}

// The outermost call builds the index and owns the output: it writes what is
// left once the walk is over, and ends the run if any write failed.
void buscar_suma(int nvalorsActual, int* valorsActuals, int nvalors, int* valors, int valorBuscat) {
    Index index;
    index.nvalors = nvalors;
    index.objectiu = static_cast<std::uint32_t>(valorBuscat);
    construir(index, valors);

    Sortida* sortida = static_cast<Sortida*>(std::malloc(sizeof(Sortida)));
    Estat* estats = static_cast<Estat*>(std::calloc(static_cast<std::size_t>(nvalors) + 1, sizeof(Estat)));
    if (sortida == nullptr || estats == nullptr) fallar("out of memory", "");
    sortida->ple = 0;
    sortida->error = 0;
    const Cerca cerca{valorsActuals, nvalors, valors, valorBuscat, index, *sortida, estats};
    Estat& arrel = estats[nvalorsActual];
    arrel.total = static_cast<std::uint32_t>(valors[0]);
    arrel.x = index.nprimera > 0 ? index.bitPrimera(0) : 0;
    arrel.rang = index.inici == 0 ? index.grup(index.objectiu) : Rang{0, 0};
    buscar_suma(cerca, nvalorsActual);
    if (!buidar(*sortida)) fallar("write error: ", std::strerror(sortida->error));
    std::free(estats);
    std::free(sortida);
}

// Stack a level of the search takes at most, with room to spare:
// -fstack-usage gives 48 bytes on x86-64, 64 on i386 and 112 under
// AddressSanitizer. The deepest calls (building the index) need about
// 90 KiB more.
#if defined(__SANITIZE_ADDRESS__)
constexpr rlim_t PILA_PER_NIVELL = 192;
#else
constexpr rlim_t PILA_PER_NIVELL = 96;
#endif
constexpr rlim_t PILA_RESERVA = 256 << 10;

// The search recurses once per position on the path, as deep as the command
// line is long. Raises the soft stack limit to what that needs on top of the
// arguments and environment, which the stack holds too, if the hard limit
// allows it.
bool assegurarPila(int nvalors) {
    const long arguments = sysconf(_SC_ARG_MAX);
    const rlim_t cal = static_cast<rlim_t>(nvalors) * PILA_PER_NIVELL + PILA_RESERVA +
                       static_cast<rlim_t>(arguments > 0 ? arguments : 0);
    rlimit limit{};
    if (getrlimit(RLIMIT_STACK, &limit) != 0) return false;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= cal) return true;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < cal) return false;
    limit.rlim_cur = cal;
    return setrlimit(RLIMIT_STACK, &limit) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int nvalors = argc > 1 ? convertir(argv[1]) : 0;
    if (nvalors < 1 || argc - 2 < nvalors) {
        std::fputs("usage: pickfit N VALUE... TARGET\n", stderr);
        return 1;
    }
    if (!assegurarPila(nvalors)) fallar("too many values for the stack size limit (ulimit -s)", "");
    int* valors = static_cast<int*>(std::calloc(static_cast<std::size_t>(nvalors), 4));
    if (valors == nullptr) fallar("out of memory", "");
    for (int i = 0; i < nvalors; ++i) valors[i] = convertir(argv[i + 2]);
    const int valorbuscat = convertir(argv[argc - 1]);
    int* valorsActuals = static_cast<int*>(std::calloc(static_cast<std::size_t>(nvalors), 4));
    if (valorsActuals == nullptr) fallar("out of memory", "");
    for (int k = 0; k < nvalors; ++k) valorsActuals[k] = NOUTILITZAT;
    valorsActuals[0] = UTILITZAT;
    buscar_suma(1, valorsActuals, nvalors, valors, valorbuscat);
    std::exit(0);
}
