// lanes.h - the lane operations the pixel path (span_lanes.h) is written
// over: VectorLanes<W>, W lanes of 32 bits (or of two 16-bit halves) and of
// floats, written once on the compilers' vector types (GCC's and Clang's
// vector extensions). A width's file may do some of them with its
// processor's own instructions where the portable form compiles poorly.
//
// Included inside each width's target options; everything here has
// internal linkage, so no width's code is shared with another's.
#ifndef LUMIVEX_GLIDE_LANES_H
#define LUMIVEX_GLIDE_LANES_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// A vector of bytes B of T. (GCC takes a vector size that depends on a
// template's parameter only through a class like this.)
template <class T, int B> struct Vector {
    typedef T type __attribute__((vector_size(B)));
};

// Hides v's value from the compiler: a loop's constant is then kept in a
// register or reloaded (one instruction), not rebuilt from an immediate in
// every group (three).
template <class T> void keep_in_register([[maybe_unused]] T &v)
{
#if defined(__x86_64__) || defined(__i386__)
    __asm__("" : "+x"(v));
#endif
}

// W lanes of 32 bits (I) and of floats (F). Lane masks are 0 or -1.
template <int N> struct VectorLanes {
    static constexpr int W = N;
    using I = typename Vector<int32_t, 4 * N>::type;
    using F = typename Vector<float, 4 * N>::type;
    using U = typename Vector<uint32_t, 4 * N>::type;    // wraps where I would overflow
    using U16 = typename Vector<uint16_t, 4 * N>::type;  // the two 16-bit halves of each lane
    using S16 = typename Vector<int16_t, 4 * N>::type;

    static I set1(int32_t v) { return I{} + v; }
    // v, which the compiler may no longer make afresh (see keep_in_register).
    static I held(I v)
    {
        if constexpr (N >= 4)  // a whole SSE or AVX register
            keep_in_register(v);
        return v;
    }
    // first + k step in lane k
    static I lanes(uint32_t first, uint32_t step)
    {
        U v;
        for (int k = 0; k < N; ++k)
            v[k] = first + k * step;
        return (I)v;
    }
    static I load(const int32_t *p)
    {
        I v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    static I add(I a, I b) { return (I)((U)a + (U)b); }
    static I sub(I a, I b) { return (I)((U)a - (U)b); }
    static I band(I a, I b) { return a & b; }
    static I bor(I a, I b) { return a | b; }
    static I andnot(I a, I b) { return ~a & b; }
    template <int S> static I srli(I a) { return (I)((U)a >> S); }
    template <int S> static I slli(I a) { return (I)((U)a << S); }
    static I gt(I a, I b) { return a > b; }
    static I eq(I a, I b) { return a == b; }
    static I select(I mask, I a, I b) { return (mask & a) | (~mask & b); }  // bit by bit
    static I min(I a, I b) { return a < b ? a : b; }
    static I max(I a, I b) { return a > b ? a : b; }
    static bool any(I mask)
    {
        for (int k = 0; k < N; ++k)
            if (mask[k])
                return true;
        return false;
    }
    // a b for 0 <= a, b < 2^15
    static I mul15(I a, I b) { return a * b; }

    // On the two 16-bit halves of each lane.
    static I add16(I a, I b) { return (I)((U16)a + (U16)b); }
    static I sub16(I a, I b) { return (I)((U16)a - (U16)b); }
    static I mullo16(I a, I b) { return (I)((U16)a * (U16)b); }
    static I mulhi16(I a, I b)  // unsigned
    {
        const U16 x = (U16)a, y = (U16)b;
        U16 high;
        for (int k = 0; k < 2 * N; ++k)
            high[k] = (uint16_t)((uint32_t)x[k] * y[k] >> 16);
        return (I)high;
    }
    template <int S> static I srli16(I a) { return (I)((U16)a >> S); }
    // (x 257) >> 16 by shifts, the same for every x below 65280: WebAssembly
    // has no instruction for the high half of a 16-bit product (Emscripten
    // builds it of three).
    static I div255(I x) { return srli16<8>(add16(x, srli16<8>(x))); }
    // Bits 8 to 15 of each lane, in both of its halves.
    static I byte1_twice(I a)
    {
        const I b = band(srli<8>(a), set1(255));
        return bor(b, slli<16>(b));
    }
    // to 0..hi, the halves taken as signed (hi's too)
    static I clamp16(I a, I hi)
    {
        const S16 v = (S16)a, zero = {}, top = (S16)hi;
        const S16 low = v > zero ? v : zero;
        return (I)(low < top ? low : top);
    }

    static F fset1(float v)  // through the bits, so that -0 stays -0
    {
        int32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return (F)set1(bits);
    }
    static F fadd(F a, F b) { return a + b; }
    static F fmul(F a, F b) { return a * b; }
    static F fdiv(F a, F b) { return a / b; }
    static F to_float(I a) { return __builtin_convertvector(a, F); }  // exact below 2^24
    static I bits(F a) { return (I)a; }

    // W 16-bit values, zero-extended
    static I load_depth(const uint16_t *p)
    {
        I v;
        for (int k = 0; k < N; ++k)
            v[k] = p[k];
        return v;
    }
    // The low halves of v to the lanes of p that mask keeps (the high halves
    // are not looked at).
    static void store16(uint16_t *p, I mask, I v)
    {
        for (int k = 0; k < N; ++k)
            if (mask[k])
                p[k] = (uint16_t)v[k];
    }
    static void store32(uint32_t *p, I mask, I v)
    {
        for (int k = 0; k < N; ++k)
            if (mask[k])
                p[k] = (uint32_t)v[k];
    }

    // Lane k of the result takes, within its 128-bit block, 32-bit (SIZE 1)
    // or 64-bit (SIZE 2) pieces of a and b in turn, from the block's low or
    // high half: SSE2's unpack instructions.
    static constexpr int unpacked(int k, bool high, int size)
    {
        const int first = k / 4 * 4 + (high ? 2 : 0), i = k % 4;
        return size == 1 ? (i % 2 ? N : 0) + first + i / 2 : (i / 2 ? N : 0) + first + i % 2;
    }
    template <bool HIGH, int SIZE, size_t... K> static I unpack(I a, I b, std::index_sequence<K...>)
    {
        return __builtin_shufflevector(a, b, unpacked(K, HIGH, SIZE)...);
    }
    template <bool HIGH, int SIZE> static I unpack(I a, I b)
    {
        return unpack<HIGH, SIZE>(a, b, std::make_index_sequence<N>());
    }

    // base[i], base[i + 2], base[i + 1], base[i + 3] for each lane's i. Each
    // lane's four are contiguous: four of them are loaded as one 128-bit
    // block, with lanes k, k + 4... sharing a register, and transposed. No i
    // is negative: taken as unsigned, it needs no sign extension.
    static void fetch_quads(const uint32_t *base, I index, I *t00, I *t10, I *t01, I *t11)
    {
        if constexpr (N < 4) {
            for (int k = 0; k < N; ++k) {
                const uint32_t *quad = base + index[k];
                (*t00)[k] = (int32_t)quad[0];
                (*t01)[k] = (int32_t)quad[1];
                (*t10)[k] = (int32_t)quad[2];
                (*t11)[k] = (int32_t)quad[3];
            }
        } else {
            uint32_t at[N];
            std::memcpy(at, &index, sizeof at);
            auto quad = [&](int k) {
                typename Vector<int32_t, 16>::type q;
                std::memcpy(&q, base + at[k], sizeof q);
                return q;
            };
            static_assert(N == 4 || N == 8);
            I q[4];
            for (int j = 0; j < 4; ++j)
                if constexpr (N == 4)
                    q[j] = quad(j);
                else
                    q[j] = __builtin_shufflevector(quad(j), quad(j + 4), 0, 1, 2, 3, 4, 5, 6, 7);
            const I a = unpack<false, 1>(q[0], q[1]), b = unpack<false, 1>(q[2], q[3]);  // t00 t00 t01 t01
            const I c = unpack<true, 1>(q[0], q[1]), d = unpack<true, 1>(q[2], q[3]);    // t10 t10 t11 t11
            *t00 = unpack<false, 2>(a, b);
            *t01 = unpack<true, 2>(a, b);
            *t10 = unpack<false, 2>(c, d);
            *t11 = unpack<true, 2>(c, d);
        }
    }
};

}  // namespace

#endif
