// Baseline for the benchmark only, never part of the product: the plain
// exhaustive walk, which totals every one of the 2^N - 1 selections afresh
// and prints matches with printf.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

static const int UTILITZAT = 1;
static const int NOUTILITZAT = 0;

static int suma(int n, const int* valorsActuals, const int* valors) {
    std::uint32_t acumulador = 0;
    for (int i = 0; i < n; ++i) {
        if (valorsActuals[i] == UTILITZAT) acumulador += static_cast<std::uint32_t>(valors[i]);
    }
    return static_cast<int>(acumulador);
}

static void mostrarResultat(int n, const int* valorsActuals, const int* valors, int resultat) {
    for (int i = 0; i < n - 1; ++i) {
        if (valorsActuals[i] == UTILITZAT) std::printf("%d+", valors[i]);
    }
    std::printf("%d=%d\n", valors[n - 1], resultat);
}

static void buscar_suma(int nvalorsActual, int* valorsActuals, int nvalors, const int* valors, int valorBuscat) {
    if (suma(nvalorsActual, valorsActuals, valors) == valorBuscat) {
        mostrarResultat(nvalorsActual, valorsActuals, valors, valorBuscat);
    }
    if (nvalorsActual == nvalors) return;
    valorsActuals[nvalorsActual - 1] = NOUTILITZAT;
    valorsActuals[nvalorsActual] = UTILITZAT;
    buscar_suma(nvalorsActual + 1, valorsActuals, nvalors, valors, valorBuscat);
    valorsActuals[nvalorsActual - 1] = UTILITZAT;
    valorsActuals[nvalorsActual] = UTILITZAT;
    buscar_suma(nvalorsActual + 1, valorsActuals, nvalors, valors, valorBuscat);
}

int main(int argc, char** argv) {
    const int nvalors = std::atoi(argv[1]);
    int* valors = static_cast<int*>(std::calloc(static_cast<std::size_t>(nvalors), 4));
    for (int i = 0; i < nvalors; ++i) valors[i] = std::atoi(argv[i + 2]);
    const int valorbuscat = std::atoi(argv[argc - 1]);
    int* valorsActuals = static_cast<int*>(std::calloc(static_cast<std::size_t>(nvalors), 4));
    valorsActuals[0] = UTILITZAT;
    buscar_suma(1, valorsActuals, nvalors, valors, valorbuscat);
    std::exit(0);
}
