// pickfit: prints every non-empty selection of N integers whose 32-bit total
// equals a target, one line per selection, in depth-first visiting order.
#include <cerrno>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int UTILITZAT = 1;
constexpr int NOUTILITZAT = 0;

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
        ssize_t n = write(STDOUT_FILENO, sortida.text + escrit, sortida.ple - escrit);
        if (n > 0) {
            escrit += static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            sortida.error = n == 0 ? EIO : errno;
        }
    }
    sortida.ple = 0;
    return sortida.error == 0;
}

// Appends one integer and the character that follows it; the widest int32 is
// 11 characters, so 12 bytes of room always suffice.
void escriure(Sortida& sortida, int valor, char seguent) {
    if (sortida.capacitat - sortida.ple < 12) buidar(sortida);
    char* final = std::to_chars(sortida.text + sortida.ple, sortida.text + sortida.capacitat, valor).ptr;
    *final = seguent;
    sortida.ple = static_cast<std::size_t>(final + 1 - sortida.text);
}

// Conversion as atoi does it (white space, optional sign, digits up to the
// first other character), except that out-of-range numbers saturate.
int convertir(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    const bool negatiu = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    std::int64_t magnitud = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitud = magnitud * 10 + (*text - '0');
        if (magnitud > INT32_MAX) magnitud = std::int64_t{INT32_MAX} + 1;
    }
    if (negatiu) return static_cast<int>(-magnitud);
    return static_cast<int>(magnitud > INT32_MAX ? INT32_MAX : magnitud);
}

// Total of the selected values among the first n, wrapping around in 32 bits.
int suma(int n, const int* valorsActuals, const int* valors) {
    std::uint32_t acumulador = 0;
    for (int i = 0; i < n; ++i) {
        if (valorsActuals[i] == UTILITZAT) acumulador += static_cast<std::uint32_t>(valors[i]);
    }
    return static_cast<int>(acumulador);
}

void mostrarResultat(Sortida& sortida, int n, const int* valorsActuals, const int* valors, int resultat) {
    for (int i = 0; i < n - 1; ++i) {
        if (valorsActuals[i] == UTILITZAT) escriure(sortida, valors[i], '+');
    }
    escriure(sortida, valors[n - 1], '=');
    escriure(sortida, resultat, '\n');
}

void buscar_suma(Sortida& sortida, int nvalorsActual, int* valorsActuals, int nvalors, const int* valors,
                 int valorBuscat) {
    if (sortida.error != 0) return;
    if (suma(nvalorsActual, valorsActuals, valors) == valorBuscat) {
        mostrarResultat(sortida, nvalorsActual, valorsActuals, valors, valorBuscat);
    }
    if (nvalorsActual == nvalors) return;
    valorsActuals[nvalorsActual - 1] = NOUTILITZAT;
    valorsActuals[nvalorsActual] = UTILITZAT;
    buscar_suma(sortida, nvalorsActual + 1, valorsActuals, nvalors, valors, valorBuscat);
    valorsActuals[nvalorsActual - 1] = UTILITZAT;
    valorsActuals[nvalorsActual] = UTILITZAT;
    buscar_suma(sortida, nvalorsActual + 1, valorsActuals, nvalors, valors, valorBuscat);
}

// The outermost call owns the output: it writes what is left once the walk
// is over, and ends the run if any write failed.
void buscar_suma(int nvalorsActual, int* valorsActuals, int nvalors, int* valors, int valorBuscat) {
    Sortida sortida;
    buscar_suma(sortida, nvalorsActual, valorsActuals, nvalors, valors, valorBuscat);
    if (!buidar(sortida)) fallar("write error: ", std::strerror(sortida.error));
}

}  // namespace

int main(int argc, char** argv) {
    const int nvalors = argc > 1 ? convertir(argv[1]) : 0;
    if (nvalors < 1 || argc - 2 < nvalors) {
        std::fputs("usage: pickfit N VALUE... TARGET\n", stderr);
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
