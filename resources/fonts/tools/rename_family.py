# Renames the family "Doto Black" to "Doto" in the name table of the Doto files
# and rebuilds the table directory and checksums; every other table is kept
# byte for byte. A one-off tool that made the committed files; the build does
# not run it.  Usage: python3 rename_family.py Doto*.ttf
import struct, sys

def checksum(b):
    b = b + b'\0' * ((4 - len(b) % 4) % 4)
    return sum(struct.unpack('>%dI' % (len(b) // 4), b)) & 0xFFFFFFFF

def rename_name_table(t):
    fmt, count, so = struct.unpack('>HHH', t[:6])
    assert fmt == 0
    recs, strings = [], b''
    for i in range(count):
        pid, eid, lid, nid, l, o = struct.unpack('>HHHHHH', t[6+12*i:18+12*i])
        raw = t[so+o:so+o+l]
        enc = 'utf-16-be' if pid in (0, 3) else 'mac_roman'
        s = raw.decode(enc)
        s = s.replace('Doto Black', 'Doto', 1).replace('DotoBlack', 'Doto', 1)
        nb = s.encode(enc)
        recs.append((pid, eid, lid, nid, len(nb), len(strings)))
        strings += nb
    head = struct.pack('>HHH', 0, count, 6 + 12 * count)
    return head + b''.join(struct.pack('>HHHHHH', *r) for r in recs) + strings

def rebuild(data):
    sfnt, num = struct.unpack('>IH', data[:6])
    dirs = []
    for i in range(num):
        tag, cs, off, ln = struct.unpack('>4sIII', data[12+16*i:28+16*i])
        dirs.append((tag, data[off:off+ln]))
    dirs = [(tag, rename_name_table(b) if tag == b'name' else b) for tag, b in dirs]
    # zero head.checkSumAdjustment before summing
    dirs = [(tag, b[:8] + b'\0\0\0\0' + b[12:] if tag == b'head' else b) for tag, b in dirs]
    es = max(i for i in range(16) if 2 ** i <= num)
    header = struct.pack('>IHHHH', sfnt, num, 16 * 2 ** es, es, num * 16 - 16 * 2 ** es)
    offset = 12 + 16 * num
    entries, body = [], b''
    for tag, b in sorted(dirs):
        entries.append(struct.pack('>4sIII', tag, checksum(b), offset + len(body), len(b)))
        body += b + b'\0' * ((4 - len(b) % 4) % 4)
    font = bytearray(header + b''.join(entries) + body)
    adj = (0xB1B0AFBA - checksum(bytes(font))) & 0xFFFFFFFF
    hoff = struct.unpack('>I', font[12 + 16 * [t for t, _ in sorted(dirs)].index(b'head') + 8:][:4])[0]
    font[hoff + 8:hoff + 12] = struct.pack('>I', adj)
    return bytes(font)

for f in sys.argv[1:]:
    data = open(f, "rb").read()
    out = rebuild(data)
    open(f, "wb").write(out)
