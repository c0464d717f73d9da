// pickfit: prints every non-empty selection of N integers whose 32-bit total
// equals a target, one line per selection, in depth-first visiting order.
//
// THE MAP
//
// The walk (`buscar_suma`) lists the lines in visiting order without
// visiting the selections between them. For a fixed part P, the positions
// taken below m0, the selections P + T, T a non-empty subset of the
// positions m0.., come in this order: every P + {m} that matches, m
// ascending; then, for m descending, the selections that extend P + {m},
// listed the same way. So for the rest r = target - total(P) the walk needs
// the candidates: the positions m >= m0 from which a subset totals r, that
// is r in U_m = {v_m} + (v_m + R_{m+1}), R_m being the totals of the
// non-empty subsets of positions m.. (R_m = U_m + R_{m+1}). A fixed part
// (1) prints P + {m} for the candidates with v_m = r, (2) lists P + Z for
// the subsets Z of a table over the last positions, where there is one,
// and (3) goes down into P + {m} for the candidates that extend, m
// descending. The fixed parts in hand are a stack of frames, one a value
// at most, taken before the index: no stack limit bounds the walk's depth.
//
// The index answers the walk's question: which positions from m0 on are
// candidates for r, and, with a table, which of its subsets total r.
// `construirIndex` takes the first kind below that fits the budget
// (`pressupost`: an eighth of memory, at least MEMORIA_INDEX; under
// ulimit -v, what the limit leaves). An exact kind names only positions
// that lead to a line; a filter may name more, which cost a look and print
// nothing. No kind changes the output, and a refused block never ends a
// run: the kind gives way to the next, down to the bounds alone.
//
// - None, N <= MAX_SENSE_INDEX: every position is a candidate.
// - Bounds (`Limits`), always past that: the integer totals that positions
//   k.. reach lie in [minims[k], maxims[k]]. 16 bytes a value, taken with
//   the walk's own memory. A filter.
// - Rows (`IndexFiles`), where the target stands for one integer total
//   (always one or none when the span, the sum of |v|, is below 2^32),
//   within the budget and, for N <= 54, below what the two halves take: for
//   each group of 64 positions, a word for each total x of a window, whose
//   bit j says whether x is in U_{64g+j}. N x window bits. A fixed part
//   reads one word a group at its rest; a bit m with v_m != r proves that
//   P + {m} extends, and where v_m = r, the row of 0 says whether a
//   position after m reaches 0. The rows are built as R's bitsets and each
//   64 x 64 block is transposed when first read. Exact.
// - The rows' table (`TaulaDirecta`), with rows, once the walk has taken
//   about as many steps as building it takes (`ESPERA_CUA`): the subsets of
//   the last q = min(N - 1, MAX_CUA) positions whose total lies in the
//   window of the first of them, by total and in visiting order within
//   each. 4 bytes an entry, at most MAX_ENTRADES_CUA of them (else one
//   position fewer), and 4 a total. From then on a fixed part lists its
//   run at (2), and the positions from the table's first on are not walked.
// - The two halves, N <= 54 otherwise: a table of every subset of the last
//   s <= MAX_SEGONA positions sorted by sum (`TaulaOrdenada`), 8.25
//   bytes an entry, and over the subsets X of the first f = N - s <=
//   MAX_PRIMERA positions two bitmaps (`Primera`): `completable`, whether a
//   non-empty table subset completes X, and `senzills`, whether X + {j}
//   matches for a first-half position j after X's last. The lines come in
//   blocks, one for each X in ascending order of its index: the X + {j}
//   that match, then X + Z for the table run that completes X. So
//   `recorrerMeitats` scans the bitmaps' set bits instead of walking. Exact.
// - Sets (`IndexConjunts`), N > 54 otherwise, where the target stands for
//   at most MAX_TOTALS integer totals: R_k itself, a window for each total,
//   for one position in 2^pas, the fewest left out that the budget allows
//   (pas <= MAX_PAS). A position without a set asks the one kept before it,
//   which holds every total its own would: exact at the kept positions.
// - The lazy table (`TaulaOrdenada`), N > 54 otherwise: the sorted table of
//   the last MAX_SEGONA positions, built when a fixed part first reaches
//   them, so that a run the bounds settle near the root ends at once.
// - Residues (`Residus`), where no exact kind covers the first positions
//   (the lazy table, or two halves short of memory for the first half):
//   R_k modulo 2^b, within MEMORIA_RESIDUS. A filter that catches
//   structure the bounds cannot, such as values all 1 modulo 256 and a
//   target of 64.
//
// Output: the texts of the values and the target are made once, in slots
// of RANURA bytes. P's text is kept as the walk goes, and a line is one
// copy of it, then of its last value's slot or of a table subset's text,
// made once for a table (`TextosTaula`). Lines go out in blocks of CAPACITAT
// bytes, or one by one to a terminal.
//
// Masks of a table or of the first half: bit n-1-j stands for position j
// of their n.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/sysinfo.h>
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

// ---------------------------------------------------------------------------
// Tuning. Times were compared in interleaved runs of throwaway builds on the
// cases of bench/run, on a 2-core machine with 1 MiB of second-level cache a
// core and 32 MiB of third.

// Output blocks of 64 KiB: 128 KiB, as cat writes them, was no faster to
// /dev/null, and faster into a pipe that wc reads but slower into one that
// grep reads.
constexpr std::size_t CAPACITAT = 1 << 16;

// Up to this many values the whole walk (at most 1023 selections) costs less
// than building an index, so there is none: callgrind counts 136,023
// instructions for `pickfit 3 2 3 5 5` with an index and 133,038 without.
constexpr int MAX_SENSE_INDEX = 10;

// The least that the index may take; the budget is an eighth of memory, as
// sort sizes its buffer, and a quarter of the address space at most.
constexpr std::uint64_t MEMORIA_INDEX = std::uint64_t{640} << 20;

// Room kept under a limit on the address space for what is mapped after the
// index is chosen: the rows' table, the sets' windows, a mapping's spare
// room to start on a 2 MiB boundary, allocator slack.
constexpr std::uint64_t MARGE = 1 << 20;

// Room that no block after the output buffers may take from a limit on the
// address space, for the stack to grow into: with none kept, 25,000 ones
// crashed at limits just above the least that they run under.
constexpr std::uint64_t RESERVA = 256 << 10;

// A pipe on standard output is asked to hold 1 MiB, as much as the system
// grants without privilege: with the usual 64 KiB, the walk and the reader
// of its output take turns at every block.
constexpr int MIDA_CANONADA = 1 << 20;

// Blocks of index memory from 1 MiB on are mapped pages, which give back
// to the address space what they took; smaller ones come from calloc, which
// costs less. Under AddressSanitizer all come from calloc, so that it
// checks their bounds.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t MIDA_MAPA = SIZE_MAX;
#else
constexpr std::size_t MIDA_MAPA = 1 << 20;
#endif

// The two halves' sizes. A table of s positions takes 8.25 bytes an entry,
// 264 MiB for 25 (and half as much again while it is built); a first half
// of f positions two bitmaps of 2^f bits, and while it is built a list of
// up to 2^s entries, with a buffer, 12 bytes an entry.
constexpr int MAX_SEGONA = 25;
constexpr int MAX_PRIMERA = 29;

// The first half's passes over the table go COSTAT side by side: each step
// of one waits on its last load, and four overlap. One at a time took 1.5
// times as long on 54 random values.
constexpr std::uint32_t COSTAT = 4;

// The two halves' blocks are listed in batches of LOT, their table runs
// fetched one batch ahead and their buckets two.
constexpr int LOT = 8;

// The rows' table covers the last MAX_CUA positions: 22 rather than 21 or
// 23, the fastest on 60 and 64 amounts. It is built once the walk has taken
// a 2^ESPERA_CUA-th as many steps as its subsets and window's totals, about
// as long as building it takes: 4 was 3% faster than 2 on 60 and 64
// amounts, and no slower elsewhere. It holds at most MAX_ENTRADES_CUA
// entries, 8 MiB; where most of its subsets fall in the window, as for
// zeros, one position fewer takes half as many.
constexpr int MAX_CUA = 22;
constexpr int ESPERA_CUA = 4;
constexpr std::uint32_t MAX_ENTRADES_CUA = 1u << 21;

// Up to this many bytes of texts of a table's subsets: they are read at
// random, so they should stay in the second-level cache. The rows' table of
// 60 amounts takes 394 KiB; the tables of the two halves' mostly do not fit.
constexpr std::size_t MIDA_TEXTOS_TAULA = 512 << 10;

// Residues: R_k modulo 2^16, or fewer bits where N would take more than
// MEMORIA_RESIDUS.
constexpr std::uint64_t MEMORIA_RESIDUS = 4 << 20;

// Sets: past this many congruent totals the windows take more than any
// budget; the sparsest keep one position in 2^MAX_PAS.
constexpr int MAX_TOTALS = 64;
constexpr int MAX_PAS = 6;

// Writes "pickfit: MISSATGE DETALL" on standard error with one write and ends
// the run with status 1. No stdio, and no exit handlers, which nothing
// needs: out of memory, either may want more stack than is left.
[[noreturn]] void fallar(const char* missatge, const char* detall) {
    char linia[256] = "pickfit: ";
    std::strncat(linia, missatge, 160);
    std::strncat(linia, detall, 80);
    std::strcat(linia, "\n");
    const ssize_t escrit = write(STDERR_FILENO, linia, std::strlen(linia));
    (void)escrit;  // nothing is left to report a failure to
    _exit(1);
}

// Bytes of address space the run has mapped so far, from /proc; 0 where it
// cannot tell, and then a refused block shrinks the index as it did before.
std::uint64_t espaiMapat() {
    const int fd = open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    char text[64];
    const ssize_t n = read(fd, text, sizeof text);
    close(fd);
    std::uint64_t pagines = 0;
    if (n > 0) std::from_chars(text, text + n, pagines);
    return pagines * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

// Bytes of address space that a limit on it leaves, or UINT64_MAX under none.
std::uint64_t espaiLliure() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return UINT64_MAX;
    return limit.rlim_cur - std::min<std::uint64_t>(limit.rlim_cur, espaiMapat());
}

// ---------------------------------------------------------------------------
// Output

// Result lines are gathered in `text` and written to standard output in
// blocks of up to 64 KiB, or line by line when standard output is a
// terminal, so that a user sees each match as soon as it is found. Each
// value's text and the target's are formatted once per run, in slots of 16
// bytes: the digits and a '+' (or a line end after the target), `llargades`
// giving how many bytes of the slot count.
//
// The selection in hand, the fixed part that every line printed next
// starts with, is kept as a stack: `valorsActuals` flags its positions and
// `linia` holds their texts one after the other, `llargada` bytes. The walk
// keeps its own frames; the listings that take positions a value at a time
// (`posarMascara`) push them above the walk's, `posicions` listing them
// and `inicis` where each one's text starts. A line is then one copy of
// `linia`, then of its last value's slot and the target's, or of a table
// subset's text, which `TextosTaula` makes once where it fits.
struct TextosTaula {
    int primera, n;  // the table's positions: a subset z has bit n-1-j for position primera+j
    int baix;        // z's text is that of its first n - baix positions, then that of its last baix
    std::size_t ranura;
    std::size_t marge;  // the most a line writes past the selection's text
    bool rapida;        // whether lines copy the texts below whole
    // Null where they would not fit; else three runs of slots of `ranura`
    // bytes. First the texts of the subsets x of the first n - baix
    // positions, each value followed by '+'; then those of the subsets y of
    // the last baix, the last '+' made '=' and the target's line after it;
    // then those of each first position alone, made so too. So z's text is
    // x's and y's, or where y is empty, x's but for its last position and
    // that position's.
    char* textos;
    std::uint16_t* llargades;
};

struct Sortida {
    char* text;
    std::size_t ple;
    bool perLinia;
    char* textos;  // slot i: value i; slot `objectiu`: the target
    unsigned char* llargades;
    int objectiu;

    int* valorsActuals;
    int* posicions;
    std::uint32_t* inicis;
    int nivell;
    char* linia;
    std::size_t llargada;

    TextosTaula taula;
};

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

// Value i's slot of text; the target's is slot `objectiu`.
inline char* ranuraDe(const Sortida& sortida, int i) { return sortida.textos + static_cast<std::size_t>(i) * RANURA; }

void escriureRanura(Sortida& sortida, int i, int valor, char seguent) {
    char* ranura = ranuraDe(sortida, i);
    char* fi = std::to_chars(ranura, ranura + 11, valor).ptr;
    *fi = seguent;
    sortida.llargades[i] = static_cast<unsigned char>(fi + 1 - ranura);
}

// Fills a zeroed `sortida`: the output buffer, the texts of the values and
// the target, and an empty selection; false when memory is refused.
bool prepararSortida(Sortida& sortida, int* valorsActuals, const int* valors, int nvalors, int resultat) {
    const auto n = static_cast<std::size_t>(nvalors) + 1;
    sortida.text = static_cast<char*>(std::malloc(CAPACITAT));
    sortida.textos = static_cast<char*>(std::malloc(n * RANURA));
    sortida.llargades = static_cast<unsigned char*>(std::malloc(n));
    sortida.linia = static_cast<char*>(std::malloc(n * RANURA));
    sortida.posicions = static_cast<int*>(std::malloc(n * sizeof(int)));
    sortida.inicis = static_cast<std::uint32_t*>(std::malloc(n * 4));
    if (sortida.text == nullptr || sortida.textos == nullptr || sortida.llargades == nullptr ||
        sortida.linia == nullptr || sortida.posicions == nullptr || sortida.inicis == nullptr) {
        return false;
    }
    sortida.perLinia = isatty(STDOUT_FILENO) == 1;
    // Anything but a pipe refuses, and then nothing changes.
    if (!sortida.perLinia) fcntl(STDOUT_FILENO, F_SETPIPE_SZ, MIDA_CANONADA);
    sortida.objectiu = nvalors;
    for (int i = 0; i < nvalors; ++i) escriureRanura(sortida, i, valors[i], '+');
    escriureRanura(sortida, nvalors, resultat, '\n');
    sortida.valorsActuals = valorsActuals;
    sortida.taula = TextosTaula{0, 0, 0, 0, 3 * RANURA, false, {}, {}};
    return true;
}

// Adds position m to the selection in hand.
inline __attribute__((always_inline)) void prendre(Sortida& sortida, int m) {
    const int i = sortida.nivell++;
    const std::size_t llargada = sortida.llargada;
    sortida.valorsActuals[m] = UTILITZAT;
    sortida.posicions[i] = m;
    sortida.inicis[i] = static_cast<std::uint32_t>(llargada);
    sortida.llargada = llargada + sortida.llargades[m];
    std::memcpy(sortida.linia + llargada, ranuraDe(sortida, m), RANURA);
}

// Keeps the first `nivell` positions of the selection in hand.
void deixar(Sortida& sortida, int nivell) {
    if (sortida.nivell <= nivell) return;
    while (sortida.nivell > nivell) sortida.valorsActuals[sortida.posicions[--sortida.nivell]] = NOUTILITZAT;
    sortida.llargada = sortida.inicis[nivell];
}

// Calls fer(i) for each position i of `mascara`, a mask of `nbits`
// positions from `primera` on (bit nbits-1-j for position primera+j), in
// order.
template <class Fer>
inline __attribute__((always_inline)) void perPosicio(std::uint32_t mascara, int primera, int nbits, Fer fer) {
    while (mascara != 0) {
        const int b = 31 - __builtin_clz(mascara);
        mascara ^= 1u << b;
        fer(primera + nbits - 1 - b);
    }
}

// Makes the selection in hand above its first `base` positions the one of
// `nova`, a mask of `nbits` positions from `primera` on (bit nbits-1-j for
// position primera+j), where it is now that of `anterior`: the positions
// before the first one where the two differ stay.
void posarMascara(Sortida& sortida, int base, std::uint32_t anterior, std::uint32_t nova, int nbits, int primera) {
    const std::uint32_t diferents = anterior ^ nova;
    if (diferents == 0) return;
    const int alt = 31 - __builtin_clz(diferents);
    deixar(sortida,
           base + __builtin_popcount(static_cast<std::uint32_t>(static_cast<std::uint64_t>(nova) >> (alt + 1))));
    perPosicio(nova & ((2u << alt) - 1), primera, nbits, [&sortida](int i) { prendre(sortida, i); });
}

// Gives back the texts of a table's subsets: values are then copied one by
// one.
void alliberarTaula(Sortida& sortida) {
    std::free(sortida.taula.textos);
    std::free(sortida.taula.llargades);
    sortida.taula.textos = nullptr;
    sortida.taula.llargades = nullptr;
}

// The texts of the subsets y of the k positions from `primer`, each value
// followed by '+', at `textos` + y * ranura: y's is y & (y - 1)'s and then
// its last position's.
void textosSubconjunts(const Sortida& sortida, int primer, int k, std::size_t ranura, char* textos,
                       std::uint16_t* llargades) {
    llargades[0] = 0;
    for (std::uint32_t y = 1; y < (1u << k); ++y) {
        const std::uint32_t abans = y & (y - 1);
        const int i = primer + k - 1 - __builtin_ctz(y);
        char* const text = textos + y * ranura;
        std::memcpy(text, textos + abans * ranura, llargades[abans]);
        std::memcpy(text + llargades[abans], ranuraDe(sortida, i), sortida.llargades[i]);
        llargades[y] = static_cast<std::uint16_t>(llargades[abans] + sortida.llargades[i]);
    }
}

// Ends a text of values with '=' and the target's line, in place of its
// last '+'.
void acabarText(const Sortida& sortida, char* text, std::uint16_t& llargada) {
    text[llargada - 1] = '=';
    std::memcpy(text + llargada, ranuraDe(sortida, sortida.objectiu), sortida.llargades[sortida.objectiu]);
    llargada = static_cast<std::uint16_t>(llargada + sortida.llargades[sortida.objectiu]);
}

// Prepares the texts of the subsets of the table's n positions from
// `primera`. Where they do not fit, or memory is refused, the values are
// copied one by one.
void prepararTaula(Sortida& sortida, int primera, int n) {
    alliberarTaula(sortida);
    const int baix = n / 2, alt = n - baix;
    std::size_t llargues[2] = {};
    for (int i = primera; i < primera + n; ++i) llargues[i - primera >= alt] += sortida.llargades[i];
    // Whole slots, of at least the two that a copy reads.
    const std::size_t llarguesMax = std::max(llargues[0], llargues[1]) + sortida.llargades[sortida.objectiu];
    const std::size_t ranura = std::max(2 * RANURA, (llarguesMax + RANURA - 1) / RANURA * RANURA);
    TextosTaula& taula = sortida.taula;
    taula = TextosTaula{primera, n, baix, ranura, static_cast<std::size_t>(n + 3) * RANURA + 2 * ranura, false, {}, {}};
    const std::size_t a = std::size_t{1} << alt, b = std::size_t{1} << baix,
                      ranures = a + b + static_cast<std::size_t>(alt);
    if (ranura * ranures > MIDA_TEXTOS_TAULA || espaiLliure() < 2 * ranura * ranures + RESERVA) return;
    taula.textos = static_cast<char*>(std::calloc(ranures, ranura));
    taula.llargades = static_cast<std::uint16_t*>(std::malloc(sizeof(std::uint16_t) * ranures));
    if (taula.textos == nullptr || taula.llargades == nullptr) return alliberarTaula(sortida);
    textosSubconjunts(sortida, primera, alt, ranura, taula.textos, taula.llargades);
    textosSubconjunts(sortida, primera + alt, baix, ranura, taula.textos + a * ranura, taula.llargades + a);
    for (std::size_t y = 1; y < b; ++y) acabarText(sortida, taula.textos + (a + y) * ranura, taula.llargades[a + y]);
    for (std::size_t k = 0; k < static_cast<std::size_t>(alt); ++k) {
        const int i = primera + alt - 1 - static_cast<int>(k);
        char* const text = taula.textos + (a + b + k) * ranura;
        taula.llargades[a + b + k] = sortida.llargades[i];
        std::memcpy(text, ranuraDe(sortida, i), RANURA);
        acabarText(sortida, text, taula.llargades[a + b + k]);
    }
    taula.rapida = !sortida.perLinia;
}

// Copies `nombre` bytes, and up to 31 more, in whole slots: most texts take
// two.
inline void copiarRanures(char* desti, const char* origen, std::size_t nombre) {
    std::memcpy(desti, origen, 2 * RANURA);
    for (std::size_t fet = 2 * RANURA; fet < nombre; fet += RANURA) std::memcpy(desti + fet, origen + fet, RANURA);
}

// Writes the line of the selection in hand, then the table subset `mig`,
// then position m. Where the output has room for the whole line it goes
// straight there in whole slots; otherwise in pieces.
void mostrarResultat(Sortida& sortida, int m, std::uint32_t mig = 0) {
    // Local copies: stores through a char pointer could otherwise change them.
    const char* const textos = sortida.textos;
    const unsigned char* const llargades = sortida.llargades;
    const std::size_t llargada = sortida.llargada, ple = sortida.ple;
    const int primera = sortida.taula.primera, n = sortida.taula.n;
    const auto ranura = [textos](int i) { return textos + static_cast<std::size_t>(i) * RANURA; };
    if (CAPACITAT - ple >= llargada + sortida.taula.marge) {
        char* desti = sortida.text + ple;
        copiarRanures(desti, sortida.linia, llargada);
        desti += llargada;
        perPosicio(mig, primera, n, [&](int i) {
            std::memcpy(desti, ranura(i), RANURA);
            desti += llargades[i];
        });
        std::memcpy(desti, ranura(m), RANURA);
        desti += llargades[m];
        desti[-1] = '=';
        std::memcpy(desti, ranura(sortida.objectiu), RANURA);
        sortida.ple = static_cast<std::size_t>(desti - sortida.text) + llargades[sortida.objectiu];
    } else {
        escriureTot(sortida, sortida.linia, llargada);
        perPosicio(mig, primera, n, [&](int i) { escriureTot(sortida, ranura(i), llargades[i]); });
        escriureTot(sortida, ranura(m), llargades[m] - 1u);
        escriureTot(sortida, "=", 1);
        escriureTot(sortida, ranura(sortida.objectiu), llargades[sortida.objectiu]);
    }
    if (sortida.perLinia) buidar(sortida);
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

// Index memory comes in zero-filled blocks. Blocks from MIDA_MAPA on are
// mapped pages, so that what they take from the address space is what they
// ask for and comes back whole when freed; their pages are mapped in at
// once, because every block is written all through and mapping them one
// fault at a time took half the time of building the table.
struct Bloc {
    void* adreca;
    std::size_t mida;
};

constexpr int MAX_BLOCS = 24;

bool bit(const std::uint64_t* bits, std::uint64_t i) { return (bits[i >> 6] >> (i & 63)) & 1; }
void posarBit(std::uint64_t* bits, std::uint64_t i) { bits[i >> 6] |= std::uint64_t{1} << (i & 63); }

struct Rang {
    std::uint32_t inici, final;
};

// The rows of one group of 64 positions, 64g..: row d stands for the
// integer total primer + d, and its bit j says whether it is in U_{64g+j}.
// The rows cover `mida` totals, at most 2^32, so that a rest modulo 2^32
// names one of them.
struct Files {
    std::int64_t primer;
    std::uint64_t mida;
    std::uint64_t* files;
    std::uint64_t* girats;  // a bit a 64 x 64 block: whether it is transposed yet
};

// One window of a set of totals: bit d stands for the total primer + d.
struct Finestra {
    std::int64_t primer;
    std::uint64_t mida;
    std::uint64_t* bits;
};

// The index, by kind; see the map at the top of the file. Only the kinds
// that `construirIndex` chose hold anything: a kind's pointers are null
// without it.
struct Limits {
    std::int64_t *minims, *maxims;  // the integer totals of subsets from position k on lie in [minims[k], maxims[k]]
};

struct IndexFiles {
    int ngrups;
    Files* grups;            // group g: grups[g]
    int darrerZero;          // the last position whose U the rows say may hold 0, or -1
    int cua;                 // while above 0, a rows' table of so many last positions is due
    std::uint64_t abansCua;  // when the walk has taken this many more steps
};

struct IndexConjunts {
    Finestra* finestres;  // ntotals windows a kept position
    int ntotals;          // the integer totals the target stands for
    int pas;              // positions 2^pas apart keep one
};

// The rows' table: the run of total base + d is [cubetes[d], cubetes[d + 1]).
struct TaulaDirecta {
    std::uint32_t base;
    std::uint64_t mida;
    std::uint32_t* cubetes;
    std::uint32_t* visites;  // the visiting keys
};

// The two halves' table and the lazy one: bucket h, [cubetes[h],
// cubetes[h + 1]), holds the entries whose key, the sum, has top bits h.
struct TaulaOrdenada {
    int desplacament;
    std::uint32_t* cubetes;
    std::uint64_t* entrades;  // (key << 32) | visiting key, sorted; a sentinel after the last
};

struct Taula {
    int inici;      // positions [inici, nvalors) form the table, if any
    bool preparat;  // false while the lazy table waits to be built
    TaulaDirecta directa;
    TaulaOrdenada ordenada;
};

struct Residus {
    int bits;                 // R_k modulo 2^bits, 0 for none
    std::uint64_t* conjunts;  // position k's 2^bits bits from 2^bits * k on
};

struct Primera {
    int n;  // positions [0, n) form the two halves' first half
    std::uint64_t *completable, *senzills;
    std::uint32_t *sumesAlt, *sumesBaix;  // totals of its first and last n / 2 positions' subsets
};

struct Index {
    int nvalors;
    std::uint32_t objectiu;
    Limits limits;
    IndexFiles files;
    IndexConjunts conjunts;
    Residus residus;
    Taula taula;
    Primera primera;
    Bloc blocs[MAX_BLOCS];
    int nblocs;
};

constexpr std::size_t PAGINA_GRAN = 2 << 20;

// A mapping of `mida` bytes, its pages mapped in, or null. With `grans` it
// starts on a 2 MiB boundary and asks for pages of that size, for memory
// read at random all through the walk: far fewer faults and TLB misses.
// Where the kernel has no such pages, or the room past a boundary is
// refused, it is an ordinary mapping.
void* mapar(std::size_t mida, bool grans) {
    mida = (mida + 4095) & ~std::size_t{4095};
    void* adreca = grans ? mmap(nullptr, mida + PAGINA_GRAN, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                         : MAP_FAILED;
    if (adreca != MAP_FAILED) {
        char* const inici = static_cast<char*>(adreca);
        char* const alineat = inici + (-reinterpret_cast<std::uintptr_t>(inici) & (PAGINA_GRAN - 1));
        if (alineat > inici) munmap(inici, static_cast<std::size_t>(alineat - inici));
        munmap(alineat + mida, static_cast<std::size_t>(inici + PAGINA_GRAN - alineat));
        madvise(alineat, mida, MADV_HUGEPAGE);
        // Older kernels cannot map them in at once; then they come on first touch.
        madvise(alineat, mida, MADV_POPULATE_WRITE);
        return alineat;
    }
    adreca = mmap(nullptr, mida, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    return adreca == MAP_FAILED ? nullptr : adreca;
}

// Zero-filled memory for the index, or null; with `grans`, as `mapar` says.
void* reservar(Index& index, std::uint64_t bytes, bool grans = false) {
    if (bytes == 0 || bytes > SIZE_MAX / 2 || index.nblocs == MAX_BLOCS) return nullptr;
    if (espaiLliure() < bytes + RESERVA) return nullptr;
    const auto mida = static_cast<std::size_t>(bytes);
    void* const adreca = mida < MIDA_MAPA ? std::calloc(mida, 1) : mapar(mida, grans && mida >= PAGINA_GRAN);
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

// Bits [pos, pos + 64) of a bitset of `nbits` bits whose last word is clean
// beyond them; what lies outside the bitset reads as 0.
std::uint64_t llegir(const std::uint64_t* bits, std::int64_t nbits, std::int64_t pos) {
    if (pos <= -64 || pos >= nbits || nbits <= 0) return 0;
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

// ---------------------------------------------------------------------------
// The index: rows of reachable totals

// How many integer totals of non-empty selections the target may stand for:
// those equal to it modulo 2^32 within [minims[0], maxims[0]], the least
// of which goes to t, each 2^32 above the one before.
std::int64_t totals(const Index& index, std::int64_t& t) {
    const std::int64_t baix = index.limits.minims[0], alt = index.limits.maxims[0];
    t = baix + std::int64_t{index.objectiu - static_cast<std::uint32_t>(baix)};
    return t <= alt ? ((alt - t) >> 32) + 1 : 0;
}

// Words of the rows of one group: whole 64 x 64 blocks.
std::uint64_t paraulesFiles(const Files& f) { return (f.mida + 63) / 64 * 64; }

// The totals [baix, alt] that a rest can take at position k, for the
// integer total t, given the sums of the negative and of the positive values
// before k: a rest is t minus the total of a selection among them, and U_k
// lies within the bounds [minims[k], maxims[k]].
void finestra(const Index& index, int k, std::int64_t t, std::int64_t negatius, std::int64_t positius,
              std::int64_t& baix, std::int64_t& alt) {
    baix = std::max(t - positius, index.limits.minims[k]);
    alt = std::min(t - negatius, index.limits.maxims[k]);
}

// Calls fer(k, i, primer, mida) for each position k from the last back and
// each of the first `ntotals` integer totals i, with the hull of the
// windows of the positions from k to the last of its run of 2^pas: the
// window that R_k keeps for it while sets are built, so that the set of
// the run's first position, the one kept, holds every total that a rest at
// any of them may ask about; at a group's first position, with pas 6, what
// the group's rows cover. Empty windows have mida 0.
template <class Fer>
void perFinestra(const Index& index, const int* valors, int ntotals, int pas, Fer fer) {
    const int n = index.nvalors;
    std::int64_t t, negatius = 0, positius = 0;
    totals(index, t);
    for (int k = 0; k < n; ++k) (valors[k] < 0 ? negatius : positius) += valors[k];
    std::int64_t baixos[MAX_TOTALS] = {}, alts[MAX_TOTALS] = {};
    for (int k = n - 1; k >= 0; --k) {
        (valors[k] < 0 ? negatius : positius) -= valors[k];
        const bool darrera = k == n - 1 || ((k + 1) >> pas) != (k >> pas);
        for (int i = 0; i < ntotals; ++i) {
            std::int64_t baix, alt;
            finestra(index, k, t + (std::int64_t{i} << 32), negatius, positius, baix, alt);
            if (!darrera && baixos[i] <= alts[i]) {
                baix = baix <= alt ? std::min(baix, baixos[i]) : baixos[i];
                alt = baix <= alt ? std::max(alt, alts[i]) : alts[i];
            }
            baixos[i] = baix;
            alts[i] = alt;
            fer(k, i, baix, baix <= alt ? static_cast<std::uint64_t>(alt - baix) + 1 : 0);
        }
    }
}

// What the rows for the one integer total would cover, into `files`, and
// the words they would take: UINT64_MAX when a group's window is wider
// than 2^32. A group covers the hull of its positions' windows.
std::uint64_t finestres(const Index& index, const int* valors, Files* files) {
    std::uint64_t paraules = 0;
    bool caben = true;
    perFinestra(index, valors, 1, 6, [&](int k, int, std::int64_t primer, std::uint64_t mida) {
        if (k % 64 != 0) return;
        files[k / 64] = Files{mida > 0 ? primer : 0, mida, nullptr, nullptr};
        caben = caben && mida <= (std::uint64_t{1} << 32);
        paraules += paraulesFiles(files[k / 64]);
    });
    return caben ? paraules : UINT64_MAX;
}

// Bytes of the rows, or UINT64_MAX when there can be none: the target must
// stand for one integer total.
std::uint64_t midaFiles(Index& index, const int* valors) {
    std::int64_t t;
    if (totals(index, t) != 1) return UINT64_MAX;  // rows need one integer total
    const int marca = index.nblocs;
    const auto n = static_cast<std::uint64_t>(index.files.ngrups);
    auto* files = static_cast<Files*>(reservar(index, sizeof(Files) * n));
    if (files == nullptr) return UINT64_MAX;
    const std::uint64_t paraules = finestres(index, valors, files);
    std::uint64_t rodants = 1;
    for (std::uint64_t g = 0; g < n; ++g) rodants = std::max(rodants, (files[g].mida + 63) / 64);
    alliberarDesDe(index, marca);
    if (paraules == UINT64_MAX) return paraules;
    // The rows, a bit a block for whether it is transposed, and the rolling
    // buffers that build them.
    return 8 * paraules + paraules / 64 / 8 + 8 * 64 * n + 8 * 10 * rodants + sizeof(Files) * n;
}

// Words [pos, pos + 64 i) of a bitset of `nbits` bits, as `llegir` reads
// them, for i < n: the words from within the bitset in one plain loop.
void desplacar(const std::uint64_t* bits, std::int64_t nbits, std::int64_t pos, std::uint64_t* desti, std::uint64_t n) {
    const std::int64_t paraules = (nbits + 63) / 64, q = pos >> 6, nombre = static_cast<std::int64_t>(n);
    const std::int64_t d0 = std::clamp<std::int64_t>(-q, 0, nombre);
    const std::int64_t d1 = std::clamp<std::int64_t>(paraules - 1 - q, d0, nombre);
    const int s = static_cast<int>(pos & 63);
    for (std::int64_t i = 0; i < d0; ++i) desti[i] = llegir(bits, nbits, pos + 64 * i);
    if (s == 0) {
        std::copy(bits + q + d0, bits + q + d1, desti + d0);
    } else {
        for (std::int64_t i = d0; i < d1; ++i) desti[i] = bits[q + i] >> s | bits[q + i + 1] << (64 - s);
    }
    for (std::int64_t i = d1; i < nombre; ++i) desti[i] = llegir(bits, nbits, pos + 64 * i);
}

// Writes 8 words of the rows, a cache line, past the cache: each line is
// written once, and read, if ever, long after. That saved a third of the
// time spent writing them, by a timer in a throwaway copy.
void escriureLinia(std::uint64_t* desti, const std::uint64_t* linia) {
#if defined(__SSE2__)
    for (int i = 0; i < 8; i += 2) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(desti + i),
                         _mm_load_si128(reinterpret_cast<const __m128i*>(linia + i)));
    }
#else
    std::copy(linia, linia + 8, desti);
#endif
}

// One round of the transposition: the words J apart swap their bits J apart.
template <int J>
void ronda(std::uint64_t* a, std::uint64_t mascara) {
    for (int base = 0; base < 64; base += 2 * J) {
        for (int k = base; k < base + J; ++k) {
            const std::uint64_t t = ((a[k] >> J) ^ a[k + J]) & mascara;
            a[k + J] ^= t;
            a[k] ^= t << J;
        }
    }
}

// Transposes a 64 x 64 bit matrix in place: bit j of word i goes to bit i of
// word j. Rounds of fixed distance, which the compiler vectorizes: twice as
// fast as one loop over the distances, by a throwaway benchmark.
void transposar(std::uint64_t* a) {
    ronda<32>(a, 0x00000000ffffffffu);
    ronda<16>(a, 0x0000ffff0000ffffu);
    ronda<8>(a, 0x00ff00ff00ff00ffu);
    ronda<4>(a, 0x0f0f0f0f0f0f0f0fu);
    ronda<2>(a, 0x3333333333333333u);
    ronda<1>(a, 0x5555555555555555u);
}

// Row d of a group's rows, its block transposed first if no
// read has done it yet.
__attribute__((noinline)) void girar(const Files& files, std::uint64_t d) {
    transposar(files.files + (d & ~std::uint64_t{63}));
    posarBit(files.girats, d >> 6);
}

inline __attribute__((always_inline)) std::uint64_t llegirFila(const Files& files, std::uint64_t d) {
    if (!bit(files.girats, d >> 6)) girar(files, d);
    return files.files[d];
}

// The row of group g at `resta`.
inline __attribute__((always_inline)) std::uint64_t fila(const Index& index, int g, std::uint32_t resta) {
    const Files& files = index.files.grups[g];
    const std::uint32_t d = resta - static_cast<std::uint32_t>(files.primer);
    return d < files.mida ? llegirFila(files, d) : 0;
}

// Builds the rows, total by total, from the last position back. R_k, the
// totals of the non-empty subsets of positions k.., is R_{k+1} and U_k, and
// U_k is R_{k+1} shifted by v_k, and v_k itself. R_k is kept over its
// group's window in one of two rolling bitsets, read from R_{k+1} at an
// offset; what lies outside R_{k+1}'s window reads as absent, and what a
// query can ask about lies inside it or out of reach, so the bits asked
// about are exact. The U_k of 8 positions wait in a buffer; then their
// words go to their columns of the 64 x 64 blocks of the group's rows, a
// whole cache line a block. A block is
// transposed when the walk first reads it, `llegirFila`: then a row holds a
// word, its bits for the group's positions, and a run that prints little
// reads few blocks. False when memory is refused.
bool construirFiles(Index& index, const int* valors) {
    const int n = index.nvalors, marca = index.nblocs;
    const auto ngrups = static_cast<std::uint64_t>(index.files.ngrups);
    index.files.grups = static_cast<Files*>(reservar(index, sizeof(Files) * ngrups));
    if (index.files.grups == nullptr) return false;
    const std::uint64_t paraules = finestres(index, valors, index.files.grups);
    auto* espai = static_cast<std::uint64_t*>(reservar(index, 8 * std::max<std::uint64_t>(paraules, 1), true));
    auto* girats = reservarBits(index, std::max<std::uint64_t>(paraules / 64 + 64 * ngrups, 1));
    std::uint64_t rodants = 1;
    for (std::uint64_t g = 0, seguent = 0, blocs = 0; espai != nullptr && girats != nullptr && g < ngrups; ++g) {
        Files& f = index.files.grups[g];
        rodants = std::max(rodants, (f.mida + 63) / 64);
        f.files = espai + seguent;
        f.girats = girats + blocs / 64;
        seguent += paraulesFiles(f);
        blocs += (paraulesFiles(f) / 64 + 63) / 64 * 64;
    }
    auto* rodant = static_cast<std::uint64_t*>(reservar(index, 8 * 10 * rodants));
    if (espai == nullptr || girats == nullptr || rodant == nullptr) {
        alliberarDesDe(index, marca);
        index.files.grups = nullptr;
        return false;
    }
    std::uint64_t* const unics = rodant + 2 * rodants;  // U_k of position k in slot k % 8
    const std::uint64_t* abans = rodant;                // R_n: empty
    std::int64_t primerAbans = 0, midaAbans = 0;
    for (int k = n - 1; k >= 0; --k) {
        const Files& f = index.files.grups[k >> 6];
        const std::uint64_t p = (f.mida + 63) / 64;
        std::uint64_t* const bits = rodant + (k & 1) * rodants;
        std::uint64_t* const u = unics + (k & 7) * rodants;
        desplacar(abans, midaAbans, f.primer - primerAbans, bits, p);
        desplacar(abans, midaAbans, f.primer - primerAbans - valors[k], u, p);
        if (valors[k] >= f.primer && static_cast<std::uint64_t>(valors[k] - f.primer) < f.mida) {
            posarBit(u, static_cast<std::uint64_t>(valors[k] - f.primer));
        }
        if (f.mida % 64 != 0) u[p - 1] &= (std::uint64_t{1} << (f.mida % 64)) - 1;
        for (std::uint64_t i = 0; i < p; ++i) bits[i] |= u[i];
        if (k % 8 == 0) {
            for (std::uint64_t ci = 0; ci < p; ++ci) {
                alignas(16) std::uint64_t linia[8] = {};
                for (int kk = k; kk < std::min(k + 8, n); ++kk) linia[kk - k] = unics[(kk & 7) * rodants + ci];
                escriureLinia(f.files + ci * 64 + static_cast<std::uint64_t>(k & 63), linia);
            }
        }
        abans = bits;
        primerAbans = f.primer;
        midaAbans = static_cast<std::int64_t>(f.mida);
    }
#if defined(__SSE2__)
    _mm_sfence();
#endif
    alliberar(index, rodant);
    index.files.darrerZero = -1;
    for (int g = 0; g < index.files.ngrups; ++g) {
        const std::uint64_t zero = fila(index, g, 0);
        if (zero != 0) index.files.darrerZero = 64 * g + 63 - __builtin_clzll(zero);
    }
    return true;
}

// Residues modulo 2^b of R_k at every position, for the positions that no
// exact kind covers: a sound filter that catches structure such as values
// all 1 modulo 256 and a target of 64, which under a limit on memory the
// shrunken index may leave to it. When the last uncovered position's set
// holds every residue, the filter could cut nothing, and its memory goes
// back.
void construirResidus(Index& index, const int* valors) {
    const int n = index.nvalors, marca = index.nblocs;
    int b = 16;
    while (b > 6 && (std::uint64_t{1} << b) / 8 * static_cast<std::uint64_t>(n) > MEMORIA_RESIDUS) --b;
    const std::uint64_t paraules = std::uint64_t{1} << (b - 6);
    std::uint64_t* const residus = reservarBits(index, (std::uint64_t{64} * paraules) * static_cast<std::uint64_t>(n));
    if (residus == nullptr) return;
    const std::uint64_t mascara = (std::uint64_t{1} << b) - 1;
    for (int k = n - 1; k >= 0; --k) {
        std::uint64_t* bits = residus + paraules * static_cast<std::uint64_t>(k);
        const std::uint64_t v = static_cast<std::uint32_t>(valors[k]) & mascara;
        if (k < n - 1) {
            const std::uint64_t* abans = bits + paraules;
            // Bit r of the shifted set is bit r - v of the one before.
            for (std::uint64_t j = 0; j < paraules; ++j) bits[j] = abans[j] | llegirCicle(abans, b, 64 * j - v);
        }
        posarBit(bits, v);
    }
    const std::uint64_t* darrer = residus + paraules * static_cast<std::uint64_t>(index.taula.inici - 1);
    if (std::all_of(darrer, darrer + paraules, [](std::uint64_t w) { return w == ~std::uint64_t{0}; })) {
        return alliberarDesDe(index, marca);
    }
    index.residus = Residus{b, residus};
}

// Suffix bounds of the integer totals that non-empty subsets of positions
// k.. can reach: the sum of the negative values (or, with none, the least
// value) up to the sum of the positive ones (or, with none, the greatest).
// False when memory is refused.
bool construirLimits(Index& index, const int* valors) {
    const int marca = index.nblocs;
    const auto mida = static_cast<std::uint64_t>(index.nvalors) * 8;
    index.limits.minims = static_cast<std::int64_t*>(reservar(index, mida));
    index.limits.maxims = static_cast<std::int64_t*>(reservar(index, mida));
    if (index.limits.minims == nullptr || index.limits.maxims == nullptr) {
        alliberarDesDe(index, marca);
        index.limits.minims = index.limits.maxims = nullptr;
        return false;
    }
    std::int64_t negatius = 0, positius = 0, menor = INT32_MAX, major = INT32_MIN;
    for (int k = index.nvalors - 1; k >= 0; --k) {
        (valors[k] < 0 ? negatius : positius) += valors[k];
        menor = std::min<std::int64_t>(menor, valors[k]);
        major = std::max<std::int64_t>(major, valors[k]);
        index.limits.minims[k] = negatius < 0 ? negatius : menor;
        index.limits.maxims[k] = positius > 0 ? positius : major;
    }
    return true;
}

// ---------------------------------------------------------------------------
// The index: sets of reachable totals, position by position

// The words of the sets that keep one position in 2^pas, and the most that
// one position's windows take while they are built; false when a window is
// wider than 2^32, which a rest modulo 2^32 could not name a total of.
bool paraulesConjunts(const Index& index, const int* valors, int pas, std::uint64_t& guardades,
                      std::uint64_t& rodants) {
    std::uint64_t ara = 0;
    bool caben = true;
    guardades = rodants = 0;
    perFinestra(index, valors, index.conjunts.ntotals, pas, [&](int k, int i, std::int64_t, std::uint64_t mida) {
        caben = caben && mida <= (std::uint64_t{1} << 32);
        ara = (i == 0 ? 0 : ara) + (mida + 63) / 64;
        if (i < index.conjunts.ntotals - 1) return;
        rodants = std::max(rodants, ara);
        if (k % (1 << pas) == 0) guardades += ara;
    });
    return caben;
}

std::uint64_t finestresConjunts(const Index& index, int pas) {
    return static_cast<std::uint64_t>(((index.nvalors - 1) >> pas) + 1) *
           static_cast<std::uint64_t>(index.conjunts.ntotals);
}

// Bytes of the sets that keep one position in 2^pas, with what building
// them takes besides, or UINT64_MAX when they cannot be had.
std::uint64_t midaConjunts(const Index& index, const int* valors, int pas) {
    std::uint64_t guardades, rodants;
    if (!paraulesConjunts(index, valors, pas, guardades, rodants)) return UINT64_MAX;
    return 8 * (guardades + 2 * rodants) + sizeof(Finestra) * finestresConjunts(index, pas);
}

// Words [a, a + 64 i) or [b, b + 64 i) of a window's bits, as `llegir`
// reads them, for i < n: one pass, the words from within the bitset in a
// plain loop.
void unir(const Finestra& f, std::int64_t a, std::int64_t b, std::uint64_t* desti, std::uint64_t n) {
    const auto nbits = static_cast<std::int64_t>(f.mida), nombre = static_cast<std::int64_t>(n);
    const std::int64_t qa = a >> 6, qb = b >> 6, paraules = (nbits + 63) / 64;
    // Words i in [d0, d1) read words qa + i, qa + i + 1, qb + i and qb + i + 1, all within the bitset.
    const std::int64_t d0 = std::clamp<std::int64_t>(-std::min(qa, qb), 0, nombre);
    const std::int64_t d1 = std::clamp<std::int64_t>(paraules - 1 - std::max(qa, qb), d0, nombre);
    const auto llegir2 = [&](std::int64_t i) {
        return llegir(f.bits, nbits, a + 64 * i) | llegir(f.bits, nbits, b + 64 * i);
    };
    for (std::int64_t i = 0; i < d0; ++i) desti[i] = llegir2(i);
    const int sa = static_cast<int>(a & 63), sb = static_cast<int>(b & 63);
    const std::uint64_t *pa = f.bits + qa, *pb = f.bits + qb;
    // A shift by 64 - s would be undefined for s = 0; by 1 and then 63 - s it is 0.
    for (std::int64_t i = d0; i < d1; ++i) {
        desti[i] = pa[i] >> sa | (pa[i + 1] << 1) << (63 - sa) | pb[i] >> sb | (pb[i + 1] << 1) << (63 - sb);
    }
    for (std::int64_t i = d1; i < nombre; ++i) desti[i] = llegir2(i);
}

// Builds the sets that keep one position in 2^pas, R_k for each kept k
// over the windows of `perFinestra`, from the last position back: R_k is
// R_{k+1} and R_{k+1} shifted by v_k, and v_k itself, each window read
// from the same total's window at k + 1, what lies outside it as absent.
// As for the rows, a total a rest can ask about lies inside that window or
// out of reach, so a kept set answers exactly at its own position; at the
// others of its run it holds every total their sets hold, and a few more,
// which cost a look and print nothing. False when memory is refused.
bool construirConjunts(Index& index, const int* valors, int pas) {
    const int marca = index.nblocs, T = index.conjunts.ntotals;
    std::uint64_t guardades, rodants;
    paraulesConjunts(index, valors, pas, guardades, rodants);
    index.conjunts.finestres =
        static_cast<Finestra*>(reservar(index, sizeof(Finestra) * finestresConjunts(index, pas)));
    auto* espai = static_cast<std::uint64_t*>(reservar(index, 8 * std::max<std::uint64_t>(guardades, 1), true));
    auto* rodant = static_cast<std::uint64_t*>(reservar(index, 8 * 2 * std::max<std::uint64_t>(rodants, 1)));
    if (index.conjunts.finestres == nullptr || espai == nullptr || rodant == nullptr) {
        alliberarDesDe(index, marca);
        index.conjunts.finestres = nullptr;
        return false;
    }
    index.conjunts.pas = pas;
    Finestra abans[MAX_TOTALS] = {}, nous[MAX_TOTALS];
    std::uint64_t* desti = nullptr;
    perFinestra(index, valors, T, pas, [&](int k, int i, std::int64_t primer, std::uint64_t mida) {
        const bool guardada = k % (1 << pas) == 0;
        if (i == 0) desti = guardada ? espai : rodant + (k & 1) * rodants;
        const std::uint64_t p = (mida + 63) / 64;
        const int v = valors[k];
        unir(abans[i], primer - abans[i].primer, primer - abans[i].primer - v, desti, p);
        if (v >= primer && static_cast<std::uint64_t>(v - primer) < mida) {
            posarBit(desti, static_cast<std::uint64_t>(v - primer));
        }
        if (mida % 64 != 0) desti[p - 1] &= (std::uint64_t{1} << (mida % 64)) - 1;
        nous[i] = Finestra{primer, mida, desti};
        desti += p;
        if (guardada) {
            index.conjunts.finestres[(k >> pas) * T + i] = nous[i];
            espai = desti;
        }
        if (i == T - 1) std::copy(nous, nous + T, abans);
    });
    alliberar(index, rodant);
    return true;
}

// Whether the set kept for position k may hold `resta`.
bool conjunt(const Index& index, int k, std::uint32_t resta) {
    const Finestra* f =
        index.conjunts.finestres + static_cast<std::ptrdiff_t>(k >> index.conjunts.pas) * index.conjunts.ntotals;
    for (int i = 0; i < index.conjunts.ntotals; ++i) {
        const std::uint32_t d = resta - static_cast<std::uint32_t>(f[i].primer);
        if (d < f[i].mida && bit(f[i].bits, d)) return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// The index: the two halves

// An entry of a list of subsets: its key, the sum, in the high half
// and its visiting key in the low half, so that entries sort by key and
// then in visiting order.
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

// Where a subset stands in the visiting order, as a number: the walk visits
// the subsets of consecutive positions ordered by which of them they hold
// below their last, lacking before holding, the first position first; and
// where those agree, the one whose last position comes first. With bit
// n-1-j of a mask m for position j, m & (m - 1) is the first, and the count
// of trailing zeros, which falls as the last position rises, the second:
// the key is (m & (m - 1)) << 5 | (31 - ctz(m)), and 0 for the empty subset,
// which comes first.
std::uint32_t mascaraDeVisita(std::uint32_t visita) {
    return visita == 0 ? 0 : (visita >> 5) | 1u << (31 - (visita & 31));
}

// The subsets of n consecutive positions from `primera`, as entries sorted
// by key, the sum, and then in visiting order; the empty subset (key
// 0, visiting key 0) is among them. Built by doubling, from the last
// position back: the list of the last t positions merged with itself
// shifted by the next value, whose entries all take the new first
// position. That raises a visiting key by 2^(t+5), but for the new position
// alone, which comes from the empty subset and goes first among the
// non-empty ones of its key. The list of 2^t entries lies in `llista` when
// n - t is even and in `aux` when odd, so `aux` needs room for 2^(n-1)
// entries.
void llistar(const int* valors, int primera, int n, std::uint64_t* llista, std::uint64_t* aux) {
    (n % 2 == 0 ? llista : aux)[0] = 0;
    for (int t = 0; t < n; ++t) {
        const std::uint64_t* origen = (n - t) % 2 == 0 ? llista : aux;
        std::uint64_t* desti = (n - t) % 2 == 0 ? aux : llista;
        const std::uint32_t m = 1u << t;
        const std::uint32_t d = static_cast<std::uint32_t>(valors[primera + n - 1 - t]);
        // Shifted by d, the entries from w on wrap around and come first.
        const auto w =
            static_cast<std::uint32_t>(std::lower_bound(origen, origen + m, std::uint64_t{0u - d} << 32) - origen);
        const std::uint64_t mes = std::uint64_t{d} << 32 | std::uint64_t{1} << (t + 5);
        std::uint32_t i = 0, o = 0;
        fondre(origen, m, i, origen + w, m - w, mes, desti, o);
        fondre(origen, m, i, origen, w, mes, desti, o);
        std::copy(origen + i, origen + m, desti + o);
        std::uint64_t* const arribat = std::lower_bound(desti, desti + 2 * m, mes);
        std::uint64_t* const lloc =
            std::lower_bound(desti, arribat, std::uint64_t{d} << 32 | (31u - static_cast<std::uint32_t>(t)));
        std::rotate(lloc, arribat, arribat + 1);
        *lloc = std::uint64_t{d} << 32 | (31u - static_cast<std::uint32_t>(t));
    }
}

// The run of a table's entries whose subsets total `resta`, the empty
// subset left out. Indexed directly, it is [cubetes[d], cubetes[d+1]) for
// d = resta - base; sorted, it is searched in its bucket.
template <bool DIRECTA>
Rang trobar(const Taula& taula, std::uint32_t resta) {
    if (DIRECTA) {
        const std::uint32_t d = resta - taula.directa.base;
        return d < taula.directa.mida ? Rang{taula.directa.cubetes[d], taula.directa.cubetes[d + 1]} : Rang{0, 0};
    }
    const std::uint64_t* const entrades = taula.ordenada.entrades;
    const std::uint32_t* limits = taula.ordenada.cubetes + (resta >> taula.ordenada.desplacament);
    const std::uint64_t* primer =
        std::lower_bound(entrades + limits[0], entrades + limits[1], std::uint64_t{resta} << 32);
    const std::uint64_t* darrer =
        std::upper_bound(primer, entrades + limits[1], std::uint64_t{resta} << 32 | UINT32_MAX);
    primer += primer < darrer && mascara(*primer) == 0;
    return {static_cast<std::uint32_t>(primer - entrades), static_cast<std::uint32_t>(darrer - entrades)};
}

// Tabulates every subset of the last n positions, about 8.25 bytes an entry,
// sorted by sum and then in visiting order, and a sentinel entry
// after the last that no key passes. It is built with a buffer of 4 bytes
// an entry, freed when done.
bool construirSegona(Index& index, const int* valors, int n) {
    const int marca = index.nblocs;
    const std::uint64_t entrades = std::uint64_t{1} << n;
    // About 16 entries (one cache line of keys) a bucket.
    const int bits = std::max(1, n - 4);
    TaulaOrdenada& taula = index.taula.ordenada;
    taula.entrades = static_cast<std::uint64_t*>(reservar(index, 8 * entrades + 8));
    taula.cubetes = static_cast<std::uint32_t*>(reservar(index, (std::uint64_t{4} << bits) + 4));
    auto* aux = static_cast<std::uint64_t*>(reservar(index, 4 * entrades));
    if (taula.entrades == nullptr || taula.cubetes == nullptr || aux == nullptr) {
        alliberarDesDe(index, marca);
        return false;
    }
    std::uint64_t* const e = taula.entrades;
    llistar(valors, index.nvalors - n, n, e, aux);
    alliberar(index, aux);
    e[entrades] = UINT64_MAX;
    taula.desplacament = 32 - bits;
    std::uint32_t cubeta = 0;
    for (std::uint32_t i = 0; i < entrades; ++i) {
        for (; cubeta <= (clau(e[i]) >> taula.desplacament); ++cubeta) taula.cubetes[cubeta] = i;
    }
    for (; cubeta <= (1u << bits); ++cubeta) taula.cubetes[cubeta] = static_cast<std::uint32_t>(entrades);
    index.taula.inici = index.nvalors - n;
    return true;
}

// The rows' table: the non-empty subsets of the last n positions whose
// total lies in the window of the first of them, by total and in visiting
// order within each (the run of the total base + d is [cubetes[d],
// cubetes[d + 1])), each as its visiting key. The subsets are taken in
// visiting order, by m & (m - 1) and then their last position falling,
// counted by total, then placed: no sorting, and nothing kept for the
// totals no rest can take. False when memory is refused, or when it would
// hold more than MAX_ENTRADES_CUA entries, most of its subsets, as for
// zeros: then one of a position fewer takes half the memory.
bool construirCua(Index& index, const int* valors, int n) {
    const int marca = index.nblocs, primera = index.nvalors - n, baix = n / 2;
    std::int64_t t, negatius = 0, positius = 0, primer, darrer;
    if (totals(index, t) != 1) return false;
    for (int i = 0; i < primera; ++i) (valors[i] < 0 ? negatius : positius) += valors[i];
    finestra(index, primera, t, negatius, positius, primer, darrer);
    const std::int64_t mida = std::max<std::int64_t>(0, darrer - primer + 1);
    TaulaDirecta& taula = index.taula.directa;
    taula.cubetes = static_cast<std::uint32_t*>(reservar(index, 4 * static_cast<std::uint64_t>(mida) + 8, true));
    auto* sumesAlt = static_cast<std::int64_t*>(reservar(index, std::uint64_t{8} << (n - baix)));
    auto* sumesBaix = static_cast<std::int64_t*>(reservar(index, std::uint64_t{8} << baix));
    if (taula.cubetes == nullptr || sumesAlt == nullptr || sumesBaix == nullptr) {
        alliberarDesDe(index, marca);
        return false;
    }
    // Bit n-1-j of a mask for position primera + j.
    for (std::uint32_t m = 1; m < (1u << (n - baix)); ++m)
        sumesAlt[m] = sumesAlt[m & (m - 1)] + valors[primera + n - baix - 1 - __builtin_ctz(m)];
    for (std::uint32_t m = 1; m < (1u << baix); ++m)
        sumesBaix[m] = sumesBaix[m & (m - 1)] + valors[primera + n - 1 - __builtin_ctz(m)];
    const auto recorrer = [&](auto&& fer) {
        for (std::uint32_t r = 0; r < (1u << n); ++r) {
            for (int b = (r == 0 ? n : __builtin_ctz(r)) - 1; b >= 0; --b) {
                const std::uint32_t m = r | 1u << b;
                const auto d =
                    static_cast<std::uint64_t>(sumesAlt[m >> baix] + sumesBaix[m & ((1u << baix) - 1)] - primer);
                if (d < static_cast<std::uint64_t>(mida)) fer(d, r << 5 | static_cast<std::uint32_t>(31 - b));
            }
        }
    };
    std::uint32_t* const cubetes = taula.cubetes;
    recorrer([cubetes](std::uint64_t d, std::uint32_t) { ++cubetes[d + 2]; });
    for (std::int64_t d = 2; d < mida + 2; ++d) cubetes[d] += cubetes[d - 1];
    const std::uint64_t entrades = cubetes[mida + 1];
    auto* const visites = static_cast<std::uint32_t*>(
        entrades <= MAX_ENTRADES_CUA ? reservar(index, 4 * std::max<std::uint64_t>(entrades, 1), true) : nullptr);
    if (visites == nullptr) {
        alliberarDesDe(index, marca);
        return false;
    }
    // cubetes[d + 1] is where total d's next entry goes; then it is where
    // total d + 1's run starts.
    recorrer([cubetes, visites](std::uint64_t d, std::uint32_t visita) { visites[cubetes[d + 1]++] = visita; });
    alliberar(index, sumesBaix);
    alliberar(index, sumesAlt);
    taula.visites = visites;
    taula.base = static_cast<std::uint32_t>(primer);
    taula.mida = static_cast<std::uint64_t>(mida);
    index.taula.inici = primera;
    return true;
}

// Tabulates the largest table that memory allows, from n positions down;
// with none, the filters alone prune.
void construirSegonaQueCapiga(Index& index, const int* valors, int n, bool directa) {
    for (; n > 0 && !(directa ? construirCua(index, valors, n) : construirSegona(index, valors, n)); --n) {
    }
    if (n == 0) index.taula.inici = index.nvalors;
    index.taula.preparat = true;
}

// For every first-half subset X, whether a non-empty subset of the table
// completes it to the target (`completable`), and for every X whether some
// position j after X's last makes X + {j} total the target alone
// (`senzills`, set for X where X + {j} is found). X is split into its
// first a positions, A, and the other b, B, whose subsets are listed
// sorted; for one A the keys that the B need from the table come in order,
// and the table is read alongside them, as in a merge, not at random. With
// s positions in the table, the 2^a passes take 2^a (2^b + 2^s) steps and
// listing B about 2^(b+1): b is the cheapest from f-4 (at most 16 passes) to
// min(f, s), the smaller on a tie, for memory; where memory is short,
// smaller still, down to f-4.
bool construirPrimera(Index& index, const int* valors) {
    const int f = index.primera.n, s = index.nvalors - index.taula.inici, marca = index.nblocs;
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
    index.primera.completable = reservarBits(index, total);
    index.primera.senzills = reservarBits(index, total);
    const int baix = f / 2;
    index.primera.sumesAlt = static_cast<std::uint32_t*>(reservar(index, std::uint64_t{4} << (f - baix)));
    index.primera.sumesBaix = static_cast<std::uint32_t*>(reservar(index, std::uint64_t{4} << baix));
    if (index.primera.completable == nullptr || index.primera.senzills == nullptr ||
        index.primera.sumesAlt == nullptr || index.primera.sumesBaix == nullptr) {
        alliberarDesDe(index, marca);
        return false;
    }

    // Bit n-1-j of a mask for position j of n, from `primera` on.
    const auto sumar = [valors](std::uint32_t* sumes, int primera, int n) {
        for (std::uint32_t m = 0; m < (1u << n); ++m) {
            sumes[m] =
                m == 0 ? 0
                       : sumes[m & (m - 1)] + static_cast<std::uint32_t>(valors[primera + n - 1 - __builtin_ctz(m)]);
        }
    };
    sumar(index.primera.sumesAlt, 0, f - baix);
    sumar(index.primera.sumesBaix, f - baix, baix);

    // The table's key 0 comes first, from the empty subset; whether a
    // non-empty one has key 0 too.
    const std::uint32_t entrades = 1u << s;
    const bool zeroNoBuit = entrades > 1 && clau(index.taula.ordenada.entrades[1]) == 0;
    const std::uint32_t objectiu = index.objectiu, mascaraB = nb - 1;
    // One pass of A: its B, by needed key c - clau(B) rising, and the table
    // read alongside, as in a merge. The needed key rises as B's index falls,
    // wrapping once at `tall`. The table ends in a key that no needed key
    // passes.
    struct Passada {
        std::uint32_t ma, c, tall, j, p;
    };
    for (std::uint32_t primer = 0; primer < (1u << a); primer += COSTAT) {
        Passada passades[COSTAT];
        const std::uint32_t n = std::min(COSTAT, (1u << a) - primer);
        for (std::uint32_t k = 0; k < n; ++k) {
            Passada& q = passades[k];
            q.ma = primer + k;
            q.c = objectiu;
            for (int j = 0; j < a; ++j) {
                if ((q.ma >> (a - 1 - j)) & 1) q.c -= static_cast<std::uint32_t>(valors[j]);
            }
            q.tall = static_cast<std::uint32_t>(
                std::upper_bound(llistaB, llistaB + nb, std::uint64_t{q.c} << 32 | UINT32_MAX) - llistaB);
            q.j = 0;
            q.p = 0;
            // X = A + B totals the target alone where clau(B) = c.
            for (const std::uint64_t* e = llistaB + q.tall; e > llistaB && clau(e[-1]) == q.c; --e) {
                const std::uint64_t x = std::uint64_t{q.ma} << b | mascaraDeVisita(mascara(e[-1]));
                if (x != 0) posarBit(index.primera.senzills, x & (x - 1));
            }
        }
        for (bool viva = true; viva;) {
            viva = false;
            for (std::uint32_t k = 0; k < n; ++k) {
                Passada& q = passades[k];
                if (q.j == nb) continue;
                viva = true;
                const std::uint64_t eb = llistaB[(q.tall - 1 - q.j) & mascaraB];
                const std::uint32_t necessaria = q.c - clau(eb), trobada = clau(index.taula.ordenada.entrades[q.p]);
                if (trobada == necessaria && q.p < entrades && (necessaria != 0 || zeroNoBuit)) {
                    posarBit(index.primera.completable, std::uint64_t{q.ma} << b | mascaraDeVisita(mascara(eb)));
                }
                q.p += trobada < necessaria;
                q.j += trobada >= necessaria;
            }
        }
    }
    alliberar(index, llistaB);
    return true;
}

// ---------------------------------------------------------------------------
// The index: choosing and building

// What the index may take: an eighth of the machine's memory, the way sort
// sizes its buffer, and never less than MEMORIA_INDEX; a quarter of the
// address space at most, which on 32 bits is the lesser; and never more
// than a limit on the address space leaves.
std::uint64_t pressupost() {
    std::uint64_t bytes = MEMORIA_INDEX;
    // sysinfo rather than sysconf, whose code alone took three more page
    // faults by `perf stat -e page-faults`: a few percent of a run that
    // prints nothing.
    struct sysinfo maquina {};
    if (sysinfo(&maquina) == 0) {
        bytes = std::max(bytes, std::uint64_t{maquina.totalram} / 8 * std::max(maquina.mem_unit, 1u));
    }
    bytes = std::min<std::uint64_t>(bytes, SIZE_MAX / 4);
    const std::uint64_t lliure = espaiLliure();
    return std::min(bytes, lliure > MARGE ? lliure - MARGE : 0);
}

// Builds the sets that keep the most positions within `bytes`, one in 2^pas;
// false when the target stands for no integer total or too many, or when
// not even one in 2^MAX_PAS fits.
bool construirConjuntsQueCapiguen(Index& index, const int* valors, std::uint64_t bytes) {
    std::int64_t t;
    const std::int64_t ntotals = totals(index, t);
    if (ntotals == 0 || ntotals > MAX_TOTALS) return false;
    index.conjunts.ntotals = static_cast<int>(ntotals);
    for (int pas = 0; pas <= MAX_PAS; ++pas) {
        const std::uint64_t mida = midaConjunts(index, valors, pas);
        // Fewer kept positions only widen the windows.
        if (mida == UINT64_MAX) return false;
        if (mida <= bytes && construirConjunts(index, valors, pas)) return true;
    }
    return false;
}

// What the two halves keep.
std::uint64_t midaDuesMeitats(int segona, int primera) {
    return (std::uint64_t{33} << segona) / 4 + (std::uint64_t{1} << primera) / 4;
}

// Chooses the cheapest exact index that memory allows, and builds it; see
// the map at the top of the file.
void construirIndex(Index& index, const int* valors) {
    const int n = index.nvalors;
    index.taula.inici = n;
    index.taula.preparat = true;
    if (n <= MAX_SENSE_INDEX) return;
    index.files.ngrups = (n + 63) / 64;
    const int segona = std::min(n - n / 2, MAX_SEGONA);
    const bool duesMeitats = n - segona <= MAX_PRIMERA;
    const std::uint64_t memoria = pressupost(), bytes = midaFiles(index, valors);
    const std::uint64_t limit = duesMeitats ? std::min(memoria, midaDuesMeitats(segona, n - segona)) : memoria;
    if (bytes <= limit && construirFiles(index, valors)) {
        // Building the rows' table takes a step a subset and a step a total
        // of its window, which its group's rows bound.
        index.files.cua = std::min(n - 1, MAX_CUA);
        const std::uint64_t cost =
            (std::uint64_t{1} << index.files.cua) + index.files.grups[(n - index.files.cua) / 64].mida;
        index.files.abansCua = std::max<std::uint64_t>(cost >> ESPERA_CUA, 1);
        return;
    }
    if (duesMeitats) {
        construirSegonaQueCapiga(index, valors, segona, false);
        index.primera.n = index.taula.inici < n && index.taula.inici <= MAX_PRIMERA ? index.taula.inici : 0;
        if (index.primera.n > 0 && !construirPrimera(index, valors)) index.primera.n = 0;
        if (index.primera.n > 0) return;
    } else if (construirConjuntsQueCapiguen(index, valors, memoria)) {
        return;
    } else {
        // The last positions wait for the walk to reach them.
        index.taula.inici = n - MAX_SEGONA;
        index.taula.preparat = false;
    }
    construirResidus(index, valors);
}

// ---------------------------------------------------------------------------
// The search

// What every fixed part of one search shares.
struct Marc;

struct Cerca {
    int nvalors;
    const int* valors;
    Index& index;
    Sortida& sortida;
    Marc* marcs;  // the walk's stack: a frame for each fixed part in hand, N + 1 at most
};

// Whether R_k, the totals of the non-empty subsets of positions k.., may
// hold `resta`: false once no position is left, true where no filter can
// tell. The sets shrink as k grows, so once false, false for every later k.
bool filtre(const Index& index, int k, std::uint32_t resta) {
    if (k >= index.nvalors) return false;
    const int b = index.residus.bits;
    if (b > 0 && !bit(index.residus.conjunts + (static_cast<std::uint64_t>(k) << (b - 6)), resta & ((1u << b) - 1))) {
        return false;
    }
    if (index.conjunts.finestres != nullptr && !conjunt(index, k, resta)) return false;
    if (index.limits.minims == nullptr) return true;
    // The integer totals lie in [minims[k], maxims[k]].
    const std::int64_t baix = index.limits.minims[k], alt = index.limits.maxims[k];
    return alt - baix >= (std::int64_t{1} << 32) ||
           baix + std::int64_t{resta - static_cast<std::uint32_t>(baix)} <= alt;
}

// Where the table's run of `resta` lies waits on two loads: where its
// bucket starts, then the entries there. A fixed part fetches the first for
// its children, and each child the second as it begins. These helpers are
// always inlined: g++ 12 takes a function whose only effect is a prefetch
// for one without effects, and drops its calls.
template <bool DIRECTA>
inline __attribute__((always_inline)) std::uint64_t cubetaDe(const Index& index, std::uint32_t resta) {
    if (!DIRECTA) return resta >> index.taula.ordenada.desplacament;
    return std::min<std::uint64_t>(resta - index.taula.directa.base, index.taula.directa.mida);
}

template <bool DIRECTA>
inline __attribute__((always_inline)) const std::uint32_t* cubetes(const Index& index) {
    return DIRECTA ? index.taula.directa.cubetes : index.taula.ordenada.cubetes;
}

template <bool DIRECTA>
inline __attribute__((always_inline)) void avancarCubeta(const Index& index, std::uint32_t resta) {
    __builtin_prefetch(cubetes<DIRECTA>(index) + cubetaDe<DIRECTA>(index, resta));
}

template <bool DIRECTA>
inline __attribute__((always_inline)) void avancarTira(const Index& index, std::uint32_t resta) {
    const std::uint32_t i = cubetes<DIRECTA>(index)[cubetaDe<DIRECTA>(index, resta)];
    if (DIRECTA) {
        __builtin_prefetch(index.taula.directa.visites + i);
    } else {
        __builtin_prefetch(index.taula.ordenada.entrades + i);
        __builtin_prefetch(index.taula.ordenada.entrades + i + 8);
    }
}

inline __attribute__((always_inline)) void avancarFila(const Index& index, int g, std::uint32_t resta) {
    const Files& files = index.files.grups[g];
    const std::uint32_t d = resta - static_cast<std::uint32_t>(files.primer);
    if (d < files.mida) __builtin_prefetch(files.files + d);
}

// The first position from m0 on, and before `fins`, whose R the filters
// prove cannot hold `resta`: no candidate comes after it. The sets only
// shrink, so a binary search.
int finalCandidats(const Index& index, int m0, int fins, std::uint32_t resta) {
    while (m0 < fins) {
        const int mig = m0 + (fins - m0) / 2;
        if (filtre(index, mig, resta)) {
            m0 = mig + 1;
        } else {
            fins = mig;
        }
    }
    return fins;
}

// The lines of P + Z for the entries [inici, final) of a run, where the
// table's texts are kept, its longest line fits the output buffer and
// lines need not go out one by one: the selection in hand, then the two
// texts of Z that `TextosTaula` keeps. Every invariant is a local: stores
// through the output's char pointer could otherwise change them.
template <class Entrada>
inline __attribute__((always_inline)) void escriureTira(Sortida& sortida, const Entrada* entrades, Rang rang) {
    const char* const linia = sortida.linia;
    const char* const textos = sortida.taula.textos;
    const std::uint16_t* const llargades = sortida.taula.llargades;
    const std::size_t llargada = sortida.llargada, mida = llargada + sortida.taula.marge, ranura = sortida.taula.ranura;
    const int baix = sortida.taula.baix;
    const std::uint32_t a = 1u << (sortida.taula.n - baix), mascaraBaix = (1u << baix) - 1;
    const std::uint32_t finals = a + mascaraBaix + 1 - static_cast<std::uint32_t>(baix);
    char* const text = sortida.text;
    std::size_t ple = sortida.ple;
    for (std::uint32_t i = rang.inici; i < rang.final; ++i) {
        if (CAPACITAT - ple < mida) {
            sortida.ple = ple;
            buidar(sortida);
            ple = 0;
        }
        const auto visita = static_cast<std::uint32_t>(entrades[i]);
        const std::uint32_t z = visita >> 5 | 1u << (31 - (visita & 31)), x = z >> baix, y = z & mascaraBaix;
        const bool sola = y == 0;
        const std::uint32_t primer = sola ? x & (x - 1) : x;
        const std::uint32_t segon = sola ? finals + static_cast<std::uint32_t>(__builtin_ctz(z)) : a + y;
        char* desti = text + ple;
        copiarRanures(desti, linia, llargada);
        desti += llargada;
        copiarRanures(desti, textos + primer * ranura, llargades[primer]);
        desti += llargades[primer];
        copiarRanures(desti, textos + segon * ranura, llargades[segon]);
        ple = static_cast<std::size_t>(desti - text) + llargades[segon];
    }
    sortida.ple = ple;
}

// The same lines a value at a time. A long run's lines share much of their
// text: the selection in hand follows them and keeps it, where a short
// run's are written whole.
template <bool DIRECTA>
__attribute__((noinline)) void llistarPerValors(const Cerca& c, Rang rang) {
    const Index& index = c.index;
    Sortida& sortida = c.sortida;
    const int base = sortida.nivell, n = c.nvalors - index.taula.inici;
    const bool seguir = rang.final - rang.inici > 4;
    std::uint32_t anterior = 0;
    for (std::uint32_t i = rang.inici; i < rang.final; ++i) {
        // The visiting key holds Z but for its last position, and where that is.
        const std::uint32_t visita =
            DIRECTA ? index.taula.directa.visites[i] : mascara(index.taula.ordenada.entrades[i]);
        const int darrera = index.taula.inici + n - 1 - static_cast<int>(31 - (visita & 31));
        if (seguir) {
            posarMascara(sortida, base, anterior, visita >> 5, n, index.taula.inici);
            anterior = visita >> 5;
            mostrarResultat(sortida, darrera);
        } else {
            mostrarResultat(sortida, darrera, visita >> 5);
        }
    }
    deixar(sortida, base);
}

// Lists P + Z, in visiting order, for the table's non-empty subsets Z that
// total `resta`: its run of that key, but for the empty subset. The rows'
// table is indexed directly; the others are sorted.
template <bool DIRECTA>
__attribute__((noinline)) void llistarTira(const Cerca& c, std::uint32_t resta) {
    const Index& index = c.index;
    Sortida& sortida = c.sortida;
    const Rang rang = trobar<DIRECTA>(index.taula, resta);
    if (!sortida.taula.rapida || sortida.llargada + sortida.taula.marge > CAPACITAT) {
        llistarPerValors<DIRECTA>(c, rang);
    } else if constexpr (DIRECTA) {
        escriureTira(sortida, index.taula.directa.visites, rang);
    } else {
        escriureTira(sortida, index.taula.ordenada.entrades, rang);
    }
}

// Where a fixed part's candidates come from: the rows of one group (N <=
// 64, as for most narrow spans), the rows of several, or every position up
// to where the filters end them.
enum class Font { Fila, Files, Filtres };

// The row of group g at `resta`: with one group, its only one.
template <Font F>
inline __attribute__((always_inline)) std::uint64_t filaDe(const Index& index, int g, std::uint32_t resta) {
    return fila(index, F == Font::Fila ? 0 : g, resta);
}

// The candidates of a fixed part among group g's positions, bit j for
// position 64g + j, from m0 on and before `fins`.
template <Font F>
std::uint64_t candidats(const Index& index, int g, int m0, int fins, std::uint32_t resta) {
    std::uint64_t paraula = F == Font::Filtres ? TOTS : filaDe<F>(index, g, resta);
    if (fins - 64 * g < 64) paraula &= (std::uint64_t{1} << (fins - 64 * g)) - 1;
    return g == m0 >> 6 ? paraula & TOTS << (m0 & 63) : paraula;
}

// A fixed part on the walk's stack: its rest, its first free position,
// its candidates in group g still to be gone down into, and the length of
// its parent's text.
struct Marc {
    std::uint64_t paraula;
    std::uint32_t resta;
    int m0, g;
    std::uint32_t llargada;
};

// The walk, from the fixed part of the positions before m0. Each fixed part
// prints its own lines (steps (1) and (2)), then goes down into each P + {m}
// that extends, the last first (step (3)): the frame on top of `marcs` is
// the fixed part in hand, the one below it its parent, and P's text is
// `linia`'s first `llargada` bytes. With one group of rows, a parent hands
// its child the row it read to decide that it extends.
template <Font F>
__attribute__((noinline)) void buscar_suma(const Cerca& c, int m0, std::uint32_t resta) {
    Index& index = c.index;
    Sortida& sortida = c.sortida;
    const int* const valors = c.valors;
    const int n = c.nvalors;
    int* const valorsActuals = sortida.valorsActuals;
    char* const linia = sortida.linia;
    const char* const textos = sortida.textos;
    const unsigned char* const llargades = sortida.llargades;
    std::size_t llargada = sortida.llargada;
    Marc* marc = c.marcs;
    std::uint64_t fila = F == Font::Fila ? filaDe<F>(index, 0, resta) & TOTS << m0 : 0;
    for (;;) {
        sortida.llargada = llargada;
        if (F != Font::Filtres && index.files.cua > 0 && --index.files.abansCua == 0) {
            construirSegonaQueCapiga(index, valors, index.files.cua, true);
            if (index.taula.inici < n) prepararTaula(sortida, index.taula.inici, n - index.taula.inici);
            index.files.cua = 0;
        }
        // The lazy table, when a fixed part first reaches it with a rest that
        // its positions may make up.
        if (index.taula.inici < n && m0 <= index.taula.inici && !index.taula.preparat &&
            filtre(index, index.taula.inici, resta)) {
            construirSegonaQueCapiga(index, valors, MAX_SEGONA, false);
            if (index.taula.inici < n) prepararTaula(sortida, index.taula.inici, n - index.taula.inici);
        }
        // A fixed part begun before the rows' table was built may lie past it.
        const int inici = index.taula.inici;
        const bool taula = inici < n && m0 <= inici;
        const bool llesta = taula && index.taula.preparat;
        if (llesta) avancarTira<F != Font::Filtres>(index, resta);
        std::uint64_t paraula;
        int g = 0;
        // Step (1): each P + {m} that matches. The children's rows and table
        // buckets wait on memory, so they are fetched first.
        const auto imprimir = [&](int h, std::uint64_t candidats) {
            for (; candidats != 0; candidats &= candidats - 1) {
                const int m = 64 * h + __builtin_ctzll(candidats);
                const std::uint32_t seguent = resta - static_cast<std::uint32_t>(valors[m]);
                if (F != Font::Filtres && ((m + 1) >> 6) < index.files.ngrups)
                    avancarFila(index, (m + 1) >> 6, seguent);
                if (llesta) avancarCubeta<F != Font::Filtres>(index, seguent);
                if (seguent == 0) mostrarResultat(sortida, m);
            }
        };
        if constexpr (F == Font::Fila) {
            // The row's bits from the table's first position on say whether
            // the table completes P.
            paraula = taula ? fila & ((std::uint64_t{1} << inici) - 1) : fila;
            imprimir(0, paraula);
            if (llesta && (fila >> inici) != 0) llistarTira<true>(c, resta);
        } else {
            // Where the rows take a word a group, past a few groups the search
            // for where the candidates end costs less than the words.
            int fins = taula ? inici : n;
            if (F == Font::Filtres || index.files.ngrups > 2) fins = finalCandidats(index, m0, fins, resta);
            for (int h = m0 >> 6; h <= (fins - 1) >> 6 && fins > m0; ++h)
                imprimir(h, candidats<F>(index, h, m0, fins, resta));
            // Whether the table may complete P: with rows its run, fetched
            // already, says it exactly, where rows of more groups would cost more.
            if (llesta && (F != Font::Filtres || filtre(index, inici, resta)))
                llistarTira<F != Font::Filtres>(c, resta);
            g = (fins - 1) >> 6;
            paraula = fins > m0 ? candidats<F>(index, g, m0, fins, resta) : 0;
        }
        *marc = Marc{paraula, resta, m0, g, marc->llargada};
        // Step (3): the next P + {m} that extends, the last first. With rows,
        // a bit m with v_m != r proves that P + {m} extends; where v_m = r, a
        // position after m must reach 0.
        for (;;) {
            if (marc->paraula == 0) {
                if (F != Font::Fila && --marc->g >= marc->m0 >> 6) {
                    marc->paraula = candidats<F>(index, marc->g, marc->m0, 64 * marc->g + 64, marc->resta);
                    continue;
                }
                if (marc == c.marcs) return;
                valorsActuals[marc->m0 - 1] = NOUTILITZAT;
                llargada = marc->llargada;
                --marc;
                continue;
            }
            const int b = 63 - __builtin_clzll(marc->paraula);
            marc->paraula -= std::uint64_t{1} << b;
            const int m = 64 * marc->g + b;
            const std::uint32_t seguent = marc->resta - static_cast<std::uint32_t>(valors[m]);
            if (F == Font::Filtres ? !filtre(index, m + 1, seguent) : seguent == 0 && index.files.darrerZero <= m)
                continue;
            if (F == Font::Fila) fila = m < 63 ? filaDe<F>(index, 0, seguent) & TOTS << (m + 1) : 0;
            valorsActuals[m] = UTILITZAT;
            std::memcpy(linia + llargada, textos + static_cast<std::size_t>(m) * RANURA, RANURA);
            (++marc)->llargada = static_cast<std::uint32_t>(llargada);
            llargada += llargades[m];
            m0 = m + 1;
            resta = seguent;
            break;
        }
    }
}

// A batch of the two halves' blocks, with their rests.
struct Lot {
    std::uint32_t x[LOT], resta[LOT];
    int n;
};

// The two halves' lines, block by block; see the map. Each block's
// run is a look-up at random in the table, two loads that wait on memory:
// so the blocks go in batches of LOT, and while one batch is listed, the
// next one's entries are fetched and the one after that's buckets. A
// block's rest comes from the totals of the two halves of its positions.
void recorrerMeitats(const Cerca& c) {
    const Index& index = c.index;
    Sortida& sortida = c.sortida;
    const int f = index.primera.n, baix = f / 2;
    const auto resta = [&index, baix](std::uint32_t x) {
        return index.objectiu - index.primera.sumesAlt[x >> baix] - index.primera.sumesBaix[x & ((1u << baix) - 1)];
    };
    Lot lots[3] = {};
    std::uint32_t anterior = 0;
    const auto llistar = [&](const Lot& lot) {
        for (int i = 0; i < lot.n; ++i) {
            const std::uint32_t x = lot.x[i];
            posarMascara(sortida, 0, anterior, x, f, 0);
            anterior = x;
            if (bit(index.primera.senzills, x)) {
                for (int j = x == 0 ? 0 : f - __builtin_ctz(x); j < f; ++j) {
                    if (static_cast<std::uint32_t>(c.valors[j]) == lot.resta[i]) mostrarResultat(sortida, j);
                }
            }
            if (bit(index.primera.completable, x)) llistarTira<false>(c, lot.resta[i]);
        }
    };
    // Lot k % 3 fills; lot (k - 1) % 3 has its buckets fetched, and lot
    // (k - 2) % 3 is listed.
    const auto avancar = [&](int k) {
        const Lot& cubetes = lots[(k + 2) % 3];
        for (int i = 0; i < cubetes.n; ++i) {
            if (bit(index.primera.completable, cubetes.x[i])) avancarTira<false>(index, cubetes.resta[i]);
        }
        llistar(lots[(k + 1) % 3]);
        lots[(k + 1) % 3].n = 0;
    };
    int k = 0;
    for (std::uint64_t w = 0; w < ((std::uint64_t{1} << f) + 63) / 64; ++w) {
        for (std::uint64_t blocs = index.primera.completable[w] | index.primera.senzills[w]; blocs != 0;
             blocs &= blocs - 1) {
            const auto x = static_cast<std::uint32_t>(64 * w + static_cast<std::uint64_t>(__builtin_ctzll(blocs)));
            Lot& lot = lots[k % 3];
            lot.x[lot.n] = x;
            lot.resta[lot.n] = resta(x);
            if (bit(index.primera.completable, x)) avancarCubeta<false>(index, lot.resta[lot.n]);
            if (++lot.n == LOT) avancar(++k);
        }
    }
    for (int i = 0; i < 3; ++i) avancar(++k);
    deixar(sortida, 0);
}

// Whether the largest power of two that divides every value divides the
// target: every total of such values, wrapped around or not, is a multiple
// of it, so otherwise no selection matches. Only a target of 0 passes where
// every value is 0.
bool objectiuDivisible(const int* valors, int nvalors, int valorBuscat) {
    std::uint32_t tots = 0;
    for (int i = 0; i < nvalors; ++i) tots |= static_cast<std::uint32_t>(valors[i]);
    const std::uint32_t potencia = tots & (0u - tots);
    return (static_cast<std::uint32_t>(valorBuscat) & (potencia - 1u)) == 0;
}

// The outermost call takes what the walk needs, then builds the index in
// what memory is left, and owns the output: it writes what is left once the
// walk is over. The subtree of its root, the first value alone, holds every
// non-empty selection: the walk starts with an empty fixed part. A target
// that the values' common power of two rules out ends the run at once.
void buscar_suma(int nvalorsActual, int* valorsActuals, int nvalors, int* valors, int valorBuscat) {
    if (!objectiuDivisible(valors, nvalors, valorBuscat)) return;
    Sortida sortida{};
    auto* marcs = static_cast<Marc*>(std::calloc(static_cast<std::size_t>(nvalors) + 1, sizeof(Marc)));
    if (marcs == nullptr || !prepararSortida(sortida, valorsActuals, valors, nvalors, valorBuscat) ||
        espaiLliure() < RESERVA) {
        fallar("out of memory", "");
    }
    valorsActuals[nvalorsActual - 1] = NOUTILITZAT;

    Index index{};
    index.nvalors = nvalors;
    index.objectiu = static_cast<std::uint32_t>(valorBuscat);
    // The bounds take 16 bytes a value; a run left with no filter at all
    // could take longer than anyone waits.
    if (nvalors > MAX_SENSE_INDEX && !construirLimits(index, valors)) fallar("out of memory", "");
    construirIndex(index, valors);

    const Cerca cerca{nvalors, valors, index, sortida, marcs};
    if (index.taula.inici < nvalors && index.taula.preparat) {
        prepararTaula(sortida, index.taula.inici, nvalors - index.taula.inici);
    }
    if (index.primera.n > 0) {
        recorrerMeitats(cerca);
    } else if (index.files.grups == nullptr) {
        buscar_suma<Font::Filtres>(cerca, nvalorsActual - 1, index.objectiu);
    } else if (index.files.ngrups == 1) {
        buscar_suma<Font::Fila>(cerca, nvalorsActual - 1, index.objectiu);
    } else {
        buscar_suma<Font::Files>(cerca, nvalorsActual - 1, index.objectiu);
    }
    // What the run took goes back when the process ends.
    buidar(sortida);
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
