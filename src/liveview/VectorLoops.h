#pragma once
// The aids' per-pixel loops are written so that the compiler can vectorise
// them; on x86-64 each such function is also built for AVX2 and the better
// one is picked when the program starts.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) &&                             \
    !defined(__SANITIZE_ADDRESS__)
#define VANTORA_VECTOR_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define VANTORA_VECTOR_LOOP
#endif

// Table lookups stay scalar: a vectorised gather is slower than the plain
// loads on the processors this was measured on.
#if defined(__GNUC__) && !defined(__clang__)
#define VANTORA_SCALAR_LOOP __attribute__((optimize("no-tree-vectorize")))
#else
#define VANTORA_SCALAR_LOOP
#endif
