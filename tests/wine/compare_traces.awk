# compare_traces.awk - compares two Glide call logs line by line:
#   awk -v other=NATIVE_LOG -f compare_traces.awk WINE_LOG
# The same calls in the same order with the same arguments, written the same
# way. One argument may differ: the window handle grSstWinOpen is given, which
# each system numbers in its own way. Line ends may be CRLF (Windows' text
# files). Prints the first differences with their frame, and a summary.
function report(what) {
  if (++differences <= 5)
    printf "line %d (frame %d): %s\n  wine:   %s\n  native: %s\n", NR, frame, what, substr($0, 1, 300), substr(line, 1, 300)
}
{
  sub(/\r$/, "")
  if ((getline line < other) <= 0) { report("the native log ended"); exit_early = 1; exit }
  sub(/\r$/, "", line)
  if ($1 == "guDrawTriangleWithClip") triangles++
  if ($0 != line) {
    n = split(line, o, " ")
    if ($1 == "grSstWinOpen" && o[1] == $1 && n == NF) {
      for (i = 3; i <= NF; i++) if ($i != o[i]) report("grSstWinOpen argument " (i - 1))
    } else if ($1 != o[1]) {
      report("another call")
    } else {
      for (i = 2; i <= NF || i <= n; i++)
        if ($i != o[i]) { report($1 " argument " (i - 1) ": " $i " against " o[i]); break }
    }
  }
  if ($1 == "grBufferSwap") frame++
}
END {
  if (!exit_early && (getline line < other) > 0) { NR++; $0 = ""; report("the wine log ended") }
  printf "%d calls compared, %d frames, %d triangles; %d differences\n", NR, frame, triangles, differences
  exit differences > 0
}
