#!/usr/bin/env python3
"""The compiler refuses an include that points up a layer: a file compiled as the map layer's own
files are cannot include <edit/FrameCache.h>, and a render header that climbs to
"../edit/Editor.h" finds nothing. Each planted case is compiled with the build's own command for
a file of that layer; the same file without the planted include compiles, so the failure is the
include's. Usage: compiler_refuses_test.py BUILD_DIR SOURCE_DIR"""
import json
import pathlib
import shlex
import subprocess
import sys
import tempfile

build, source = pathlib.Path(sys.argv[1]).resolve(), pathlib.Path(sys.argv[2]).resolve()
commands = json.loads((build / "compile_commands.json").read_text())


def command_of(layer_file):
    """The build's compile command for LAYER_FILE, as a syntax check of another file."""
    for entry in commands:
        if pathlib.Path(entry["file"]).resolve() == (source / layer_file).resolve():
            words = shlex.split(entry["command"])
            break
    else:
        sys.exit(f"no compile command for {layer_file}")
    if pathlib.Path(words[0]).name == "ccache":
        words = words[1:]
    kept, skip = [], False
    for word in words:
        if skip:
            skip = False
        elif word in ("-o", "-c", "-MF", "-MT"):
            skip = True
        elif word != "-MD" and not word.endswith(layer_file):
            kept.append(word)
    return kept + ["-fsyntax-only"], entry["directory"]


def compiles(layer_file, text, extra=(), headers=None):
    """Whether TEXT compiles as a file of LAYER_FILE's layer; HEADERS (name -> text) are put in a
    folder searched first, as if they were the layer's own."""
    words, directory = command_of(layer_file)
    with tempfile.TemporaryDirectory() as tmp:
        planted = pathlib.Path(tmp, "planted.cpp")
        planted.write_text(text)
        first = []
        if headers:
            for name, body in headers.items():
                path = pathlib.Path(tmp, "headers", name)
                path.parent.mkdir(parents=True, exist_ok=True)
                path.write_text(body)
            first = ["-I", str(pathlib.Path(tmp, "headers"))]
        run = subprocess.run([words[0]] + first + list(extra) + words[1:] + [str(planted)], cwd=directory,
                             capture_output=True, text=True)
        return run.returncode == 0, run.stderr


failures = 0


def expect(label, result, want, needle=""):
    global failures
    ok, errors = result
    if ok != want or (not ok and needle not in errors):
        failures += 1
        print(f"FAIL: {label}: {'compiled' if ok else 'refused'}, expected {'compiled' if want else 'refused'}")
        print(errors[-2000:])
    else:
        print(f"ok: {label}")


shimmer = (source / "render/Shimmer.h").read_text()
planted_shimmer = shimmer.replace("#pragma once\n", '#pragma once\n#include "../edit/Editor.h"\n', 1)
assert planted_shimmer != shimmer

cases = [
    # label, file of the layer, text, extra flags, headers, compiles, what the error names
    ("map with its own and base's headers", "map/MapState.cpp",
     '#include "map/MapGrid.h"\n#include "base/KorvanError.h"\n', [], None, True, ""),
    ("map including <edit/FrameCache.h>", "map/MapState.cpp",
     '#include "map/MapGrid.h"\n#include <edit/FrameCache.h>\n', [], None, False, "edit/FrameCache.h"),
    ("map including \"render/Shimmer.h\"", "map/MapState.cpp",
     '#include "render/Shimmer.h"\n', [], None, False, "render/Shimmer.h"),
    ("map including <edit/FrameCache.h>, with the whole tree on the include path", "map/MapState.cpp",
     '#include "map/MapGrid.h"\n#include <edit/FrameCache.h>\n', ["-I", str(source)], None, True, ""),
    ("render with its Shimmer.h as it is", "render/ViewState.cpp",
     '#include "render/Shimmer.h"\n', [], {"render/Shimmer.h": shimmer}, True, ""),
    ("render with \"../edit/Editor.h\" planted in Shimmer.h", "render/ViewState.cpp",
     '#include "render/Shimmer.h"\n', [], {"render/Shimmer.h": planted_shimmer}, False, "../edit/Editor.h"),
    ("render including \"edit/Editor.h\"", "render/ViewState.cpp",
     '#include "edit/Editor.h"\n', [], None, False, "edit/Editor.h"),
    ("edit including \"music/MidiEngine.h\" (beside it, not below)", "edit/Frame.cpp",
     '#include "music/MidiEngine.h"\n', [], None, False, "music/MidiEngine.h"),
    ("edit with every layer below it", "edit/Frame.cpp",
     '#include "base/KorvanError.h"\n#include "map/MapGrid.h"\n#include "render/Canvas.h"\n#include "edit/Editor.h"\n',
     [], None, True, ""),
]
for label, layer_file, text, extra, headers, want, needle in cases:
    expect(label, compiles(layer_file, text, extra, headers), want, needle)
sys.exit(1 if failures else 0)
