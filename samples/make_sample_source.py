#!/usr/bin/env python3
"""Writes samples/TransfertVersTR.zel: a configuration source as the outside configuration program
prepares it, for the demonstration and the end-to-end tests.

One configuration of type 1 ("LIGNE4_BUS_A", a 500 kbit/s chassis bus) with four ECUs and their
frames, the wiring, level and loop-resistance thresholds of a two-wire bus with two 120 ohm
terminations, and the tester's message texts and menu labels. Texts are Windows-1252, in fields
padded with NUL bytes; numbers little-endian.
"""
import struct
import sys
from pathlib import Path


def text(value, width):
    data = value.encode("cp1252")
    if len(data) > width:
        raise ValueError(f"{value!r} is longer than {width} bytes")
    return data + b"\0" * (width - len(data))


# Tester message texts (22 bytes each), in the three groups the source carries.
MESSAGES_200 = [
    "Test faisceau", "Test signal", "Test blindage", "Longueur cable", "Resultats",
    "Mesure en cours", "Patienter...", "Test OK", "Test en erreur", "Court-circuit",
    "Circuit ouvert", "Resistance boucle", "Niveau recessif", "Niveau dominant", "Debit",
    "Front montant", "Front descendant", "Oscillation", "Blindage ouvert", "Longueur max",
    "Curseur", "Vitesse propagation", "Memoire pleine", "Effacer resultats ?", "Oui",
    "Non", "Valider", "Annuler", "Batterie faible", "Connecter le bus",
] + [f"Message {n}" for n in range(230, 259)]
MESSAGES_0 = [
    "HALVEN TESTER", "Version 3.01", "Configuration", "Choisir config.", "Demarrer test",
    "Arret test", "Sauvegarde", "Transfert PC", "Liaison USB", "Pret",
] + [f"Texte {n}" for n in range(10, 56)]
MESSAGES_100 = [f"Aide {n}" for n in range(100, 135)]

MENU_LABELS = [
    "Menu principal", "Configuration", "Tests", "Resultats", "Reglages", "Langue",
    "Contraste", "Eclairage", "Date / heure", "Memoire", "Effacer", "Infos",
    "Faisceau", "Signal", "Blindage", "Longueur", "Tous les tests", "Test rapide",
    "ECU", "Trames", "Seuils", "Debit", "Niveaux", "Fronts",
    "Courbe", "Curseur", "Imprimer", "Transfert", "Version", "Numero serie",
    "Etalonnage", "Arret auto", "Son", "Unite", "Aide", "Quitter",
]

# ECUs with their frames: (name, [(identifier, frame name), ...]).
ECUS = [
    ("CALC_MOTEUR", [(0x0C9, "MOT_REGIME"), (0x1A0, "MOT_COUPLE"), (0x3D9, "MOT_TEMPERATURE")]),
    ("ABS_ESP", [(0x0F1, "ABS_VITESSE_ROUES"), (0x1F5, "ESP_LACET")]),
    ("COMBINE", [(0x2C1, "CMB_AFFICHAGE")]),
    ("BOITIER_HABIT", [(0x3F1, "BSI_ETAT_PORTES"), (0x4A2, "BSI_ECLAIRAGE")]),
]

WIRING_LABELS = ["Resistance L1/L2", "CC L1-VCC", "CC L2-VCC", "CC L1-GND", "CC L2-GND",
                 "CC L1-SHIELD", "CC L2-SHIELD"]
SIGNAL_LABELS = ["Debit", "Niveau R L1", "Niveau D L1", "Niveau R L2", "Niveau D L2",
                 "Front montant L1", "Front desc. L1", "Front montant L2", "Front desc. L2"]


def build():
    out = bytearray()
    assert len(MESSAGES_200) == 59 and len(MESSAGES_0) == 56 and len(MESSAGES_100) == 35
    for group in (MESSAGES_200, MESSAGES_0, MESSAGES_100):
        for message in group:
            out += text(message, 22)
    assert len(MENU_LABELS) == 36
    for label in MENU_LABELS:
        out += text(label, 20)

    # Outline: one configuration of type 1, its ECU count and each ECU's frame count.
    out += bytes([1])
    out += bytes([1, len(ECUS)]) + struct.pack("<H", 0) + bytes(len(f) for _, f in ECUS)

    # Header: first text, name, full name, six passed-through bytes, option byte, count K.
    out += text("HALVEN TESTER", 20) + text("Atelier Nord", 20)
    out += text("Ligne assemblage 4", 20) + bytes(6) + bytes([0]) + bytes([1])

    # The configuration block.
    out += text("LIGNE4_BUS_A", 17) + text("Chassis 500k", 17) + bytes([1])
    out += bytes(9)                            # skipped by the reader
    out += struct.pack("<H", 5000)             # offset 50, passed through (bit rate, 0.1 kbit/s)
    out += bytes([5, 60, 0, 2])                # bus load 5-60 %, error rate 0-2 %
    out += bytes([len(ECUS)])
    for name, frames in ECUS:
        out += text(name, 17) + bytes(4) + bytes([len(frames)])
        for ident, frame in frames:
            out += bytes(4) + struct.pack("<H", 100) + struct.pack("<I", ident)
            out += text(frame, 20) + bytes([8, 0, 1, 0])
    out += bytes(2)                            # skipped
    out += bytes([50, 50, 50, 50, 100, 100])   # short-circuit thresholds, ohm
    out += struct.pack("<I", 10000)            # open-circuit threshold, 0.1 ohm
    out += struct.pack("<HH", 540, 660)        # loop resistance 54.0 to 66.0 ohm
    out += bytes(19)
    for label in WIRING_LABELS:
        out += text(label, 19)
    # Level thresholds in 0.1 V, all of L1 first: R min/max, D min/max; then L2.
    out += bytes([20, 30, 28, 45, 20, 30, 5, 22])
    out += text("VCC 12V", 10) + bytes(10)
    for label in SIGNAL_LABELS:
        out += text(label, 19)
    return bytes(out)


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name(
        "TransfertVersTR.zel")
    data = build()
    expected = 3300 + 720 + 1 + 4 + len(ECUS) + 68 + 418 + sum(22 + 34 * len(f) for _, f in ECUS)
    assert len(data) == expected, (len(data), expected)
    target.write_bytes(data)
    print(f"Wrote {target} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
