#!/usr/bin/env python3
"""Writes the seed scripts in corpus/ (operation encoding as in capture_ops.h)."""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
NMEA = HERE.parent / "data" / "bu353s4.nmea"

STORE_BYTE, STORE_RUN, STORE_FILL, STORE_SYMBOL, MOVE, MOVE_THEN_STORE, CLEAR = range(7)


def op(code, param=0):
    return bytes([(code << 5) | param])


def store(data):
    out = b""
    for start in range(0, len(data), 255):
        chunk = data[start:start + 255]
        out += op(STORE_RUN) + bytes([len(chunk)]) + chunk
    return out


def move():
    return op(MOVE)


def move_then_store(later):
    return op(MOVE_THEN_STORE) + bytes([len(later)]) + later


def clear():
    return op(CLEAR)


def sentences():
    lines = NMEA.read_text(encoding="ascii").splitlines()
    return [line.encode("ascii") + b"\r\n" for line in lines if line and not line.startswith("#")]


def edge_cases():
    s = move()  # nothing held: index -1 becomes 0
    s += clear() + store(b"A") + move()  # first move, one byte: inserted line feed
    s += clear() + move() + store(b"A") + move()  # steady state, one byte waits
    s += store(b"B") + move() + store(b"BC") + move()
    s += clear() + move() + store(b"12\r\n34") + move()
    s += store(b"\x00") + move() + store(b"x\x00y") + move()
    s += store(b"left") + move() + clear() + store(b"over\r\n") + move()  # pending survives
    s += store(b"dropped") + clear() + move()  # unmoved bytes go with the clear
    return s


def nmea_ticks():
    # About one burst a second: each tick moves what arrived, until the buffer refuses.
    s = b""
    for sentence in sentences():
        s += store(sentence) + move()
    return s + move()


def nmea_split_sentences():
    # Sentences split so that half arrives right after the previous move.
    s = clear()
    for sentence in sentences()[:30]:
        half = len(sentence) // 2
        s += store(sentence[:half]) + move_then_store(sentence[half:])
    return s


def capacity():
    # Full to 2008 with an unmoved tail: the move's line feed is refused too.
    s = store(b"ab") + move()
    s += op(STORE_FILL, 31) + b"z"  # 512 bytes each
    s += op(STORE_FILL, 31) + b"\n" + op(STORE_FILL, 31) + b"\x00" + op(STORE_FILL, 31) + b"q"
    s += op(STORE_SYMBOL, 0) + move() + clear()
    s += op(STORE_FILL, 31) + b"\r" + op(STORE_FILL, 31) + b"\n" + move()
    return s


def long_line():
    # One 2000-byte line without a line feed of its own.
    return clear() + store(b"G" * 2000) + move()


def main():
    corpus = HERE / "corpus"
    corpus.mkdir(exist_ok=True)
    seeds = {
        "edge_cases": edge_cases(),
        "nmea_ticks": nmea_ticks(),
        "nmea_split_sentences": nmea_split_sentences(),
        "capacity": capacity(),
        "long_line": long_line(),
    }
    for name, script in seeds.items():
        (corpus / f"{name}.bin").write_bytes(script)


if __name__ == "__main__":
    main()
