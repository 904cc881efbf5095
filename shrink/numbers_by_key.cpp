#include "shrink/numbers_by_key.h"

#include "numbers/set_text.h"

namespace sanxing {

const NumbersByKey<10>& NumbersByDigitAt(int position) {
    static const NumbersByKey<10> hundreds = FileByKey<10>([](int n) { return Digit(n, 1); });
    static const NumbersByKey<10> tens = FileByKey<10>([](int n) { return Digit(n, 2); });
    static const NumbersByKey<10> units = FileByKey<10>([](int n) { return Digit(n, 3); });
    return position == 1 ? hundreds : position == 2 ? tens : units;
}

const NumbersByKey<10>& NumbersByDigitHeld() {
    static const NumbersByKey<10> held([](int n, auto file) {
        for (int position = 1; position <= 3; ++position) file(Digit(n, position));
    });
    return held;
}

}  // namespace sanxing
