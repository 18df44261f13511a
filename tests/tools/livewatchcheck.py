#!/usr/bin/env python3
"""Writes a script file in chunks cut at random bytes while
ostrel-inspect --live watches it, starting from an empty file, then checks
every grow and reload state against a plain load of the prefix it reflects,
seeked to the state's position. With "rename", a changed copy is renamed over
the file half-way, which must give a reload.

usage: livewatchcheck.py INSPECT SOURCE WORKDIR SEED [grow|rename]"""
import json, os, random, subprocess, sys, time

inspect, src, work = sys.argv[1], sys.argv[2], sys.argv[3]
seed = int(sys.argv[4]) if len(sys.argv) > 4 else 1
mode = sys.argv[5] if len(sys.argv) > 5 else "grow"
rng = random.Random(seed)
data = open(src, 'rb').read()
live = os.path.join(work, 'live-' + mode + '.ostrelScript')
open(live, 'wb').close()
proc = subprocess.Popen([inspect, '--json', '--live', '--live-idle', '1.5', live, '--seek', '99999'],
                        stdout=subprocess.PIPE)
written = 0
def write(upto, replace=False):
    global written
    if replace:
        tmp = live + '.new'
        with open(tmp, 'wb') as f: f.write(data2[:upto])
        os.replace(tmp, live)
    else:
        with open(live, 'ab') as f: f.write(cur[written:upto])
    written = upto
cur = data
data2 = data.replace(b'Stadium:', b'Stadium:X', 1) if mode == 'rename' else data
cuts = sorted(rng.sample(range(1, len(data)), 25)) + [len(data)]
half = len(cuts) // 2
history = []
for i, cut in enumerate(cuts):
    if mode == 'rename' and i == half:
        cur = data2
        written = 0
        write(cut, replace=True)
    else:
        write(cut)
    history.append(bytes(cur[:written]))
    time.sleep(rng.choice([0.01, 0.08, 0.2]))
out, _ = proc.communicate(timeout=60)
doc = json.loads(out)
states = [s for s in doc['states'] if s['action'] in ('grow', 'reload')]
assert states, 'no grow states'
fields = ['position', 'max', 'entrants', 'digest', 'battles', 'highlight']
final = history[-1]
bad = 0
for s in states:
    n = s['arg']
    # The bytes of the file as it stood then: the states before a reload
    # differ from the final bytes only in a header text, which no compared
    # field shows.
    prefix = final[:n]
    path = os.path.join(work, 'prefix-' + mode + '.ostrelScript')
    open(path, 'wb').write(prefix)
    ref = json.loads(subprocess.run([inspect, '--json', path, '--seek', str(s['position'])],
                                    stdout=subprocess.PIPE).stdout)['states'][-1]
    for f in fields:
        if ref[f] != s[f]:
            bad += 1
            print('MISMATCH', s['action'], n, f, str(ref[f])[:200], str(s[f])[:200])
            break
last = states[-1]['arg']
ended = final[:last].rstrip(b'\r\n').split(b'\n')[-1].lower().startswith(b'end:')
assert last == len(final) or ended, ('the last state reflects', last, 'of', len(final))
print(len(states), 'states,', bad, 'mismatches,', [s['action'] for s in states].count('reload'), 'reloads')
sys.exit(1 if bad else 0)
