#!/usr/bin/env python3
"""Makes the sample disc images the emulated drives play, from small inputs, into OUTDIR.

Usage: make_sample_discs.py OUTDIR

Audio comes from espeak-ng (the spoken track number) and sox (a tone), file systems from
xorriso. Whole 2352-byte data sectors (sync, header, EDC and ECC) are made here. Every input
is fixed, so the same images come out on every run. For each disc NAME there is the image
(NAME.cue with its .bin files, or NAME.iso) and NAME.files/, the disc's root folder as a
system shows it (empty for audio discs).

  audio      Audio CD, 12 tracks, INDEX 00 pregaps in the file and one PREGAP
  cdtext     Audio CD with CD-Text (TITLE/PERFORMER), one BIN file per track
  data       Data CD (ISO)
  mixed      Mixed Mode CD: MODE1/2048 data track, then audio tracks in a second BIN
  cdextra    CD Extra: audio session, then a MODE2/2352 data session after the 11400 gap
  vcd        Video CD (MODE2/2352: VCD, MPEGAV folders)
  svcd       Super Video CD (ISO: SVCD, MPEG2 folders)
  photocd    Photo CD (MODE1/2352: PHOTO_CD folder)
  cdi        CD-i (MODE2/2352, "CD-I" application id)
  dvdvideo   DVD-Video (ISO: VIDEO_TS, empty AUDIO_TS); insert with --dvd
  dvdrom     DVD-ROM (ISO, plain folders); insert with --dvd
  dvdromvideo DVD-ROM with Video (ISO: VIDEO_TS and other folders); insert with --dvd

cddb/ holds disc information entries (freedb's xmcd format, cddb/CATEGORY/DISCID) for the
discs with audio tracks: audio, mixed and cdextra. Their disc IDs come from the layouts
made here; cdtext has no entry, its titles come from its CD-Text.
"""
import os
import shutil
import subprocess
import sys
import tempfile

EPOCH = 978307200  # 2001-01-01: every file and volume date
RAW = 2352
USER = 2048
AUDIO_RATE = 44100
SESSION_GAP = 11400


def run(*args, **kw):
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)


# --- whole data sectors ------------------------------------------------------------------

def _tables():
    edc = []
    for i in range(256):
        v = i
        for _ in range(8):
            v = (v >> 1) ^ (0xD8018001 if v & 1 else 0)
        edc.append(v)
    exp, log = [0] * 512, [0] * 256
    x = 1
    for i in range(255):
        exp[i] = exp[i + 255] = x
        log[x] = i
        x <<= 1
        if x & 0x100:
            x ^= 0x11D
    return edc, exp, log


EDC, EXP, LOG = _tables()
MUL2 = [EXP[LOG[v] + 1] if v else 0 for v in range(256)]


def edc(data):
    crc = 0
    for b in data:
        crc = (crc >> 8) ^ EDC[(crc ^ b) & 0xFF]
    return crc


def _parity(base, plane, indexes, p0, p1):
    # Two symbols that make both the plain and the weighted sum of the codeword zero.
    s0 = s1 = 0
    for i in indexes:
        v = base[2 * i + plane]
        s0 ^= v
        s1 = MUL2[s1] ^ v
    s1 = MUL2[MUL2[s1]]
    t = s0 ^ s1
    q0 = EXP[LOG[t] + 255 - LOG[3]] if t else 0
    base[2 * p0 + plane] = q0
    base[2 * p1 + plane] = s0 ^ q0


P_ROWS = [[43 * m + col for m in range(24)] for col in range(43)]
Q_ROWS = [[(44 * m + 43 * d) % 1118 for m in range(43)] for d in range(26)]


def ecc(sector):
    base = memoryview(sector)[12:]
    for plane in (0, 1):
        for col in range(43):
            _parity(base, plane, P_ROWS[col], 1032 + col, 1075 + col)
        for d in range(26):
            _parity(base, plane, Q_ROWS[d], 1118 + d, 1144 + d)


def bcd(v):
    return (v // 10) << 4 | (v % 10)


def header(lba, mode):
    a = lba + 150
    return bytes((bcd(a // 4500), bcd(a // 75 % 60), bcd(a % 75), mode))


SYNC = b'\x00' + b'\xff' * 10 + b'\x00'


def mode1_sector(lba, user):
    s = bytearray(RAW)
    s[0:12] = SYNC
    s[12:16] = header(lba, 1)
    s[16:2064] = user
    s[2064:2068] = edc(s[0:2064]).to_bytes(4, 'little')
    ecc(s)
    return bytes(s)


def mode2_form1_sector(lba, user, last=False):
    s = bytearray(RAW)
    s[0:12] = SYNC
    submode = 0x08 | (0x81 if last else 0)  # data; end of record and file on the last one
    s[16:24] = bytes((0, 0, submode, 0)) * 2
    s[24:2072] = user
    s[2072:2076] = edc(s[16:2072]).to_bytes(4, 'little')
    ecc(s)  # Form 1 parity leaves the header out: it is computed with the header zero
    s[12:16] = header(lba, 2)
    return bytes(s)


def raw_track(iso_path, bin_path, first_lba, mode):
    data = open(iso_path, 'rb').read()
    count = len(data) // USER
    with open(bin_path, 'wb') as out:
        for n in range(count):
            user = data[n * USER:(n + 1) * USER]
            if mode == 1:
                out.write(mode1_sector(first_lba + n, user))
            else:
                out.write(mode2_form1_sector(first_lba + n, user, n == count - 1))
    return count


# --- file systems ------------------------------------------------------------------------

def tree(root, files):
    """files: {relative path: bytes or None for an empty folder}"""
    os.makedirs(root, exist_ok=True)
    for rel, content in sorted(files.items()):
        path = os.path.join(root, rel)
        if content is None:
            os.makedirs(path, exist_ok=True)
            continue
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(content)
    for dirpath, dirnames, filenames in os.walk(root):
        for name in dirnames + filenames:
            os.utime(os.path.join(dirpath, name), (EPOCH, EPOCH))
    os.utime(root, (EPOCH, EPOCH))


def iso(root, out, label, extra=()):
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(EPOCH))
    run('xorriso', '-as', 'mkisofs', '-quiet', '-V', label, *extra, '-o', out, root, env=env)


def filler(name, size):
    """Recognisable, deterministic file content."""
    line = ('%s ' % name).encode() * 8 + b'\r\n'
    return (line * (size // len(line) + 1))[:size]


# --- audio -------------------------------------------------------------------------------

def audio_track(work, number, seconds):
    """Spoken 'Track N' then a tone, 44.1 kHz stereo 16-bit little-endian, whole sectors."""
    voice = os.path.join(work, 'voice%02d.wav' % number)
    tone = os.path.join(work, 'tone%02d.raw' % number)
    raw = os.path.join(work, 'track%02d.raw' % number)
    run('espeak-ng', '-w', voice, '-s', '190', 'Track %d' % number)
    fmt = ['-t', 'raw', '-r', str(AUDIO_RATE), '-c', '2', '-b', '16', '-e', 'signed', '-L']
    run('sox', '-R', '-D', voice, *fmt, raw, 'rate', str(AUDIO_RATE), 'channels', '2', 'trim', '0', '1.5')
    freq = 220 * 2 ** (number / 12)
    run('sox', '-R', '-D', '-n', *fmt, tone, 'synth', str(seconds - 1.5), 'sine', '%.2f' % freq,
        'vol', '0.3')
    data = open(raw, 'rb').read() + open(tone, 'rb').read()
    data += b'\0' * (-len(data) % RAW)
    return data


def silence(sectors):
    return b'\0' * (RAW * sectors)


def msf(frames):
    return '%02d:%02d:%02d' % (frames // 4500, frames // 75 % 60, frames % 75)


# --- the discs ---------------------------------------------------------------------------

def make_audio(out, work, tracks):
    """Returns the table of contents: track start addresses and the lead-out."""
    lines = ['REM Zelvane sample: audio CD', 'FILE "audio.bin" BINARY']
    data = bytearray()
    generated = 0  # sectors on the disc that are not in the file
    starts = []
    for n in range(1, 13):
        lines.append('  TRACK %02d AUDIO' % n)
        if n == 7:
            lines.append('    PREGAP 00:02:00')  # generated silence, not in the file
            generated += 150
        elif n > 1:
            lines.append('    INDEX 00 ' + msf(len(data) // RAW))
            data += silence(75)
        lines.append('    INDEX 01 ' + msf(len(data) // RAW))
        starts.append(len(data) // RAW + generated)
        data += tracks[n]
    open(os.path.join(out, 'audio.bin'), 'wb').write(data)
    write_cue(out, 'audio', lines)
    tree(os.path.join(out, 'audio.files'), {})
    return starts, len(data) // RAW + generated


def make_cdtext(out, work, tracks):
    lines = ['REM Zelvane sample: audio CD with CD-Text', 'PERFORMER "Zelvane Sample Band"',
             'TITLE "Zelvane Sample Album"']
    for n in range(1, 5):
        name = 'cdtext%02d.bin' % n
        open(os.path.join(out, name), 'wb').write(tracks[n])
        lines += ['FILE "%s" BINARY' % name, '  TRACK %02d AUDIO' % n,
                  '    TITLE "Song number %d"' % n, '    PERFORMER "Zelvane Sample Band"',
                  '    INDEX 01 00:00:00']
    write_cue(out, 'cdtext', lines)
    tree(os.path.join(out, 'cdtext.files'), {})


DATA_FILES = {
    'README.TXT': filler('Zelvane sample data CD', 3000),
    'DOCS/MANUAL.TXT': filler('manual', 40000),
    'DOCS/LICENSE.TXT': filler('license', 1200),
    'TOOLS/SETUP.EXE': filler('setup', 20000),
}


def make_data(out, work):
    files = os.path.join(out, 'data.files')
    tree(files, DATA_FILES)
    iso(files, os.path.join(out, 'data.iso'), 'ZELVANE_DATA')


def make_mixed(out, work, tracks):
    files = os.path.join(out, 'mixed.files')
    tree(files, {'GAME.EXE': filler('game', 60000), 'DATA/LEVEL1.DAT': filler('level', 30000)})
    iso(files, os.path.join(out, 'mixed.iso'), 'ZELVANE_GAME')
    lines = ['REM Zelvane sample: mixed mode CD', 'FILE "mixed.iso" BINARY', '  TRACK 01 MODE1/2048',
             '    INDEX 01 00:00:00', 'FILE "mixed-audio.bin" BINARY']
    data = bytearray()
    first_audio = os.path.getsize(os.path.join(out, 'mixed.iso')) // USER + 150  # after the PREGAP
    starts = [0]
    for n in range(2, 5):
        lines.append('  TRACK %02d AUDIO' % n)
        if n == 2:
            lines.append('    PREGAP 00:02:00')
        lines.append('    INDEX 01 ' + msf(len(data) // RAW))
        starts.append(first_audio + len(data) // RAW)
        data += tracks[n]
    open(os.path.join(out, 'mixed-audio.bin'), 'wb').write(data)
    write_cue(out, 'mixed', lines)
    return starts, first_audio + len(data) // RAW


def make_cdextra(out, work, tracks):
    lines = ['REM Zelvane sample: CD Extra', 'REM SESSION 01', 'FILE "cdextra-audio.bin" BINARY']
    data = bytearray()
    starts = []
    for n in range(1, 5):
        lines.append('  TRACK %02d AUDIO' % n)
        lines.append('    INDEX 01 ' + msf(len(data) // RAW))
        starts.append(len(data) // RAW)
        data += tracks[n]
    open(os.path.join(out, 'cdextra-audio.bin'), 'wb').write(data)
    start = len(data) // RAW + SESSION_GAP
    files = os.path.join(out, 'cdextra.files')
    tree(files, {'CDPLUS/README.TXT': filler('Enhanced CD', 2000),
                 'PICTURES/COVER.JPG': filler('cover', 25000), 'AUTORUN.INF': b'[autorun]\r\n'})
    session = os.path.join(work, 'cdextra.iso')
    iso(files, session, 'ZELVANE_EXTRA', ('-C', '0,%d' % start))
    count = raw_track(session, os.path.join(out, 'cdextra-data.bin'), start, 2)
    lines += ['REM SESSION 02', 'FILE "cdextra-data.bin" BINARY', '  TRACK 05 MODE2/2352',
              '    INDEX 01 00:00:00']
    write_cue(out, 'cdextra', lines)
    # The table of contents ends with the last session's lead-out.
    return starts + [start], start + count


def make_single_raw(out, work, name, label, files, mode, extra=(), remarks=()):
    root = os.path.join(out, name + '.files')
    tree(root, files)
    session = os.path.join(work, name + '.iso')
    iso(root, session, label, extra)
    raw_track(session, os.path.join(out, name + '.bin'), 0, mode)
    write_cue(out, name, ['REM Zelvane sample: ' + name, *remarks,
                          'FILE "%s.bin" BINARY' % name,
                          '  TRACK 01 MODE%d/2352' % mode, '    INDEX 01 00:00:00'])


def make_vcd(out, work):
    make_single_raw(out, work, 'vcd', 'ZELVANE_VCD', {
        'VCD/INFO.VCD': b'VIDEO_CD' + bytes(2040),
        'VCD/ENTRIES.VCD': b'ENTRYVCD' + bytes(2040),
        'MPEGAV/AVSEQ01.DAT': filler('mpeg1 video', 50000),
        'CDI': None, 'EXT': None, 'SEGMENT': None,
    }, 2, ('-sysid', 'CD-RTOS CD-BRIDGE', '-A', 'CDI/CDI_VCD.APP;1'))


def make_svcd(out, work):
    root = os.path.join(out, 'svcd.files')
    tree(root, {
        'SVCD/INFO.SVD': b'SUPERVCD' + bytes(2040),
        'SVCD/ENTRIES.SVD': b'ENTRYSVD' + bytes(2040),
        'MPEG2/AVSEQ01.MPG': filler('mpeg2 video', 60000),
        'CDI': None, 'EXT': None,
    })
    iso(root, os.path.join(out, 'svcd.iso'), 'ZELVANE_SVCD', ('-sysid', 'CD-RTOS CD-BRIDGE'))


def make_photocd(out, work):
    make_single_raw(out, work, 'photocd', 'ZELVANE_PHOTO', {
        'PHOTO_CD/INFO.PCD': b'PHOTO_CD' + bytes(2040),
        'PHOTO_CD/IMAGES/IMG0001.PCD': filler('image one', 40000),
        'PHOTO_CD/IMAGES/IMG0002.PCD': filler('image two', 40000),
        'CDI': None,
    }, 1, ('-sysid', 'CD-RTOS CD-BRIDGE'))


def make_cdi(out, work):
    make_single_raw(out, work, 'cdi', 'ZELVANE_CDI', {
        'CDI_APP': filler('cd-i application', 30000),
        'MUSIC.RTF': filler('real time file', 30000),
    }, 2, ('-sysid', 'CD-RTOS', '-A', 'CD-I ZELVANE SAMPLE'))


VIDEO_TS = {
    'VIDEO_TS/VIDEO_TS.IFO': filler('DVDVIDEO-VMG', 12288),
    'VIDEO_TS/VIDEO_TS.BUP': filler('DVDVIDEO-VMG', 12288),
    'VIDEO_TS/VTS_01_0.IFO': filler('DVDVIDEO-VTS', 18432),
    'VIDEO_TS/VTS_01_1.VOB': filler('video object', 200000),
    'AUDIO_TS': None,
}


def make_dvds(out, work):
    kinds = {
        'dvdvideo': ('ZELVANE_DVD_VIDEO', VIDEO_TS),
        'dvdrom': ('ZELVANE_DVD_ROM', {'SETUP.EXE': filler('setup', 50000),
                                       'DATA/ARCHIVE.ZIP': filler('archive', 150000)}),
        'dvdromvideo': ('ZELVANE_DVD_BONUS', dict(VIDEO_TS, **{
            'EXTRAS/GALLERY.HTM': filler('<p>gallery</p>', 8000)})),
    }
    for name, (label, files) in kinds.items():
        root = os.path.join(out, name + '.files')
        tree(root, files)
        iso(root, os.path.join(out, name + '.iso'), label)


# --- disc information entries ------------------------------------------------------------

def disc_id(starts, lead_out):
    """freedb's disc ID: digit sums of the start seconds (2-second lead-in included), the
    playing time in seconds and the track count."""
    def seconds(lba):
        return (lba + 150) // 75
    checksum = sum(sum(int(d) for d in str(seconds(s))) for s in starts)
    return (checksum % 255) << 24 | (seconds(lead_out) - seconds(starts[0])) << 8 | len(starts)


def write_entry(out, category, toc, dtitle, year, genre, titles, extd=''):
    starts, lead_out = toc
    assert len(titles) == len(starts)
    ident = '%08x' % disc_id(starts, lead_out)
    lines = ['# xmcd', '#', '# Track frame offsets:']
    lines += ['#\t%d' % (s + 150) for s in starts]
    lines += ['#', '# Disc length: %d seconds' % ((lead_out + 150) // 75), '#', '# Revision: 0',
              '# Submitted via: make_sample_discs', '#', 'DISCID=' + ident, 'DTITLE=' + dtitle,
              'DYEAR=%d' % year, 'DGENRE=' + genre]
    lines += ['TTITLE%d=%s' % (i, t) for i, t in enumerate(titles)]
    lines += ['EXTD=' + extd] + ['EXTT%d=' % i for i in range(len(titles))] + ['PLAYORDER=']
    folder = os.path.join(out, 'cddb', category)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, ident), 'w', encoding='utf-8', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')


def write_entries(out, audio, mixed, cdextra):
    write_entry(out, 'classical', audio, 'The Zelvane Ensemble / Twelve Tones', 2001, 'Classical',
                ['Prelude in C', 'Morning Light', 'Where Rivers Meet', 'Quiet Hours',
                 'The Long Road', 'Glass Garden', 'Interlude', 'Autumn Fields', 'Night Train',
                 'Harbour Lights', 'Evening Song', 'Postlude'],
                'Recorded at the Old Mill, Zelvane.\\nTwelve short pieces, one for each tone.')
    write_entry(out, 'soundtrack', mixed, 'Kestrel Games / Skyward: Original Soundtrack', 2002,
                'Game', ['Skyward (game data)', 'Title Theme', 'First Flight', 'Storm Front'])
    write_entry(out, 'rock', cdextra, 'Various / Sampler Extra', 2003, 'Indie Rock',
                ['The Northern Lights / Open Roads', 'Mira Vale / Paper Boats',
                 'The Quiet Static / Satellite', 'Jonas Reed / Last Ferry Home',
                 'Videos and Pictures'],
                'Enhanced CD: the pictures and videos are on the data session.')


def write_cue(out, name, lines):
    with open(os.path.join(out, name + '.cue'), 'w', newline='\r\n') as f:
        f.write('\n'.join(lines) + '\n')


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = os.path.abspath(sys.argv[1])
    for tool in ('espeak-ng', 'sox', 'xorriso'):
        if not shutil.which(tool):
            sys.exit('make_sample_discs: %s is missing (scripts/setup.sh installs it)' % tool)
    if os.path.isdir(out):
        shutil.rmtree(out)
    os.makedirs(out)
    with tempfile.TemporaryDirectory() as work:
        tracks = {n: audio_track(work, n, 3 + n % 3) for n in range(1, 13)}
        audio = make_audio(out, work, tracks)
        make_cdtext(out, work, tracks)
        make_data(out, work)
        mixed = make_mixed(out, work, tracks)
        cdextra = make_cdextra(out, work, tracks)
        write_entries(out, audio, mixed, cdextra)
        make_vcd(out, work)
        make_svcd(out, work)
        make_photocd(out, work)
        make_cdi(out, work)
        make_dvds(out, work)
    open(os.path.join(out, 'samples.stamp'), 'w').write('done\n')


if __name__ == '__main__':
    main()
