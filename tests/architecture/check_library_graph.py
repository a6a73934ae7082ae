#!/usr/bin/env python3
"""The libraries link as the README's Architecture section says, and nothing links in a circle.

Usage: check_library_graph.py CMAKE SOURCE_DIR
Configures the sources in a folder of its own (so the build tree is left alone), asks CMake for
the target graph (--graphviz) and compares the links between Relvane's own libraries with the
README's list ("app -> cli, ..."), both ways."""
import re
import subprocess
import sys
import tempfile
from pathlib import Path

cmake, source = sys.argv[1:3]
LIBRARIES = re.compile(r"^relvane_([a-z]+)$")


def short(target):
    """A library's short name (editor for relvane_editor); the executable relvane is app's, as it
    adds the command line to the GUI; None for what is not one of ours."""
    if target in ("Glyphon", "relvane"):
        return {"relvane": "app"}.get(target, target)
    match = LIBRARIES.match(target)
    return match.group(1) if match and match.group(1) != "test" else None


with tempfile.TemporaryDirectory() as folder:
    dot = Path(folder) / "graph.dot"
    subprocess.run([cmake, "-S", source, "-B", str(Path(folder) / "build"), f"--graphviz={dot}"],
                   check=True, stdout=subprocess.DEVNULL)
    built = set()
    for line in dot.read_text().splitlines():
        match = re.search(r"// (\S+) -> (\S+)$", line)
        if match and short(match.group(1)) and short(match.group(2)):
            built.add((short(match.group(1)), short(match.group(2))))
built.discard(("app", "app"))

readme = (Path(source) / "README.md").read_text()
section = readme[readme.index("## Architecture"):]
block = section[section.index("```") + 3:]
block = block[:block.index("```")]
documented = set()
for line in block.strip().splitlines():
    left, right = line.split("->")
    documented |= {(left.strip(), b.strip()) for b in right.split(",")}

problems = [f"linked but not in the README: {a} -> {b}" for a, b in sorted(built - documented)]
problems += [f"in the README but not linked: {a} -> {b}" for a, b in sorted(documented - built)]

# No circle: repeatedly take away the libraries nothing left depends on.
remaining = {name for edge in built for name in edge}
while remaining:
    leaves = {n for n in remaining if not any(a == n and b in remaining for a, b in built)}
    if not leaves:
        problems.append("libraries that link in a circle: " + ", ".join(sorted(remaining)))
        break
    remaining -= leaves

for problem in problems:
    print(problem)
print(f"{len(built)} links between the libraries, {len(problems)} problems")
sys.exit(1 if problems else 0)
