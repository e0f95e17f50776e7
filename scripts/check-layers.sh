#!/usr/bin/env bash
# Checks the tree's layering from its #include lines: a folder uses only the
# folders below it, tools and benchmarks use only public headers, and no files
# include each other in a loop (a file and its header count as one). Our
# Win32's hosts (sdl/, web/) use its portable part, never each other, and
# only the SDL host names SDL.
# Prints every breach and exits 1 if there is one. Usage: check-layers.sh [root]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
exec python3 - <<'EOF'
import os, re, sys

# Who may use whom, top to bottom. Each folder may also use itself.
BELOW = {
    'app': {'show', 'render', 'device', 'geometry', 'mesh', 'pump', 'platform/glide', 'platform/win32'},
    'show': {'render', 'device', 'geometry', 'mesh', 'pump', 'platform/glide', 'platform/win32'},
    'render': {'geometry', 'mesh', 'platform/glide', 'platform/win32'},
    'device': {'geometry', 'mesh', 'platform/glide', 'platform/win32'},
    'geometry': {'mesh', 'platform/win32'},
    'mesh': {'platform/win32'},
    'pump': {'platform/win32'},
    'platform/glide': {'platform/win32', 'platform/common'},
    'platform/win32': {'platform/common'},
    'platform/common': set(),
}
PROGRAM = set(BELOW) - {'platform/glide', 'platform/win32', 'platform/common'}
PUBLIC_DIRS = ['platform/glide/include', 'platform/win32/include', 'platform/win32/sdl/include']
ROOTS = sorted(BELOW) + ['tools', 'bench', 'tests']
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)
WIN32_HOSTS = ['platform/win32/sdl', 'platform/win32/web']
SDL_NAMES = re.compile(r'\bSDL_|^\s*#\s*include\s*<SDL', re.M)

def folder_of(path):
    for root in sorted(BELOW, key=len, reverse=True):
        if path.startswith(root + '/'):
            return root
    parts = path.split('/')
    return '/'.join(parts[:2]) if parts[0] in ('tools', 'bench', 'tests') else None

def win32_host(path):
    return next((h for h in WIN32_HOSTS if path.startswith(h + '/')), None)

def public(path):
    return folder_of(path) in PROGRAM or any(path.startswith(d + '/') for d in PUBLIC_DIRS)

def resolve(source, name):
    # As the build finds them: beside the source, from the root, in the
    # public include folders, in a tool library's folder.
    for base in [os.path.dirname(source), '.'] + PUBLIC_DIRS + ['tools/meshgen']:
        candidate = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(candidate):
            return candidate
    return None  # a system or package header

files = []
for root in ROOTS:
    for d, _, names in os.walk(root):
        files += [os.path.join(d, n) for n in names if n.endswith(('.cpp', '.h'))]

breaches = []
edges = {}
for f in sorted(files):
    mine = folder_of(f)
    text = open(f, encoding='utf-8', errors='replace').read()
    if mine == 'platform/win32' and win32_host(f) != 'platform/win32/sdl' and SDL_NAMES.search(text):
        breaches.append(f'{f}: names SDL, which only platform/win32/sdl may')
    for name in INCLUDE.findall(text):
        target = resolve(f, name)
        if not target:
            continue
        theirs = folder_of(target)
        if mine == theirs == 'platform/win32' and win32_host(target) not in (None, win32_host(f)):
            breaches.append(f'{f}: includes {target}, which is another host\'s')
        module, their_module = os.path.splitext(f)[0], os.path.splitext(target)[0]
        if module != their_module:
            edges.setdefault(module, set()).add(their_module)
        if theirs == mine:
            continue
        if mine in BELOW:
            ok = theirs in BELOW[mine] and (theirs in PROGRAM or public(target) or
                                            mine.startswith('platform/'))
            # The stand-ins share their common headers, nothing else of each
            # other's.
            if mine.startswith('platform/') and theirs.startswith('platform/'):
                ok = public(target) or theirs == 'platform/common'
        elif mine.startswith('tests/'):
            # A test may look inside the library it tests, and share helpers
            # with other tests; nothing else but public headers.
            lib = 'platform/' + mine.split('/')[1]
            ok = public(target) or theirs == lib or theirs.startswith('tests/') or \
                 theirs == 'tools/meshgen'
        else:  # tools and benchmarks
            ok = public(target)
        if not ok:
            breaches.append(f'{f}: includes {target}, which {mine} may not use')

# Loops: a depth-first walk that finds an edge back into the current path.
state, path = {}, []
def walk(node):
    state[node] = 'open'
    path.append(node)
    for nxt in sorted(edges.get(node, ())):
        if state.get(nxt) == 'open':
            loop = path[path.index(nxt):] + [nxt]
            breaches.append('include loop: ' + ' -> '.join(loop))
        elif nxt not in state:
            walk(nxt)
    path.pop()
    state[node] = 'done'
for node in sorted(edges):
    if node not in state:
        walk(node)

for b in breaches:
    print(b)
print(f'{len(files)} files checked, {len(breaches)} breaches')
sys.exit(1 if breaches else 0)
EOF
