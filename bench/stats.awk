# Medians and ranges of the benchmarks' results ("payload metric value" lines), for the tables of
# bench/install_bench.sh and bench/size_bench.sh: a row per figure, a column per payload. The
# table's program sets np and p[1..np], the payloads in column order.
function add(p, m, x) { v[p, m, ++n[p, m]] = x }
function sorted(p, m,   i, j, t) {
    for (i = 1; i <= n[p, m]; i++) s[i] = v[p, m, i]
    for (i = 2; i <= n[p, m]; i++)
        for (j = i; j > 1 && s[j - 1] > s[j]; j--) { t = s[j]; s[j] = s[j - 1]; s[j - 1] = t }
    return n[p, m]
}
# 0 when there is no value.
function median(p, m,   c) {
    c = sorted(p, m)
    if (!c) return 0
    return c % 2 ? s[(c + 1) / 2] : (s[c / 2] + s[c / 2 + 1]) / 2
}
# "median (min-max)", or the one value when there is one.
function cell(p, m, scale, format,   c) {
    c = sorted(p, m)
    if (!c) return "-"
    if (c == 1) return sprintf(format, s[1] / scale)
    return sprintf(format " (" format "-" format ")", median(p, m) / scale, s[1] / scale, s[c] / scale)
}
function row(label, m, scale, format,   i) {
    printf "%-40s", label
    for (i = 1; i <= np; i++) printf "  %-22s", cell(p[i], m, scale, format)
    printf "\n"
}
function derived(label, value,   i) {
    printf "%-40s", label
    for (i = 1; i <= np; i++) printf "  %-22s", value[i] == "" ? "-" : value[i]
    printf "\n"
}
# a / b, with "met" or "MISSED" when there is a goal.
function ratio(a, b, goal) {
    if (!(a > 0 && b > 0)) return "-"
    return goal == "" ? sprintf("%.2f", a / b) : sprintf("%.2f %s", a / b, a / b <= goal ? "met" : "MISSED")
}
