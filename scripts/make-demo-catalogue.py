#!/usr/bin/env python3
"""Writes the reference terminal's demo catalogue (host/data/catalogue.xml).

Every market, company and index here is invented. The output is seeded and
therefore identical on every run; it is committed, so run this only when the
demo data should change:

    python3 scripts/make-demo-catalogue.py [output-path]
"""

import math
import os
import random
import sys
from xml.sax.saxutils import quoteattr

SEED = 20240601

SECTORS = [
    ("TECH", "Technology"), ("FIN", "Financials"), ("HLTH", "Health Care"),
    ("ENGY", "Energy"), ("INDU", "Industrials"), ("CONS", "Consumer"),
    ("UTIL", "Utilities"), ("MATL", "Materials"), ("REAL", "Real Estate"),
    ("TELE", "Telecom"),
]

# Words that make a company sound like it belongs to its sector.
SECTOR_WORDS = {
    "TECH": ["Semiconductor", "Software", "Systems", "Micro", "Data", "Digital", "Photonics", "Cloud"],
    "FIN": ["Bancorp", "Financial", "Capital", "Assurance", "Trust", "Credit", "Insurance", "Savings"],
    "HLTH": ["Therapeutics", "Pharma", "Biosciences", "Medical", "Diagnostics", "Health", "Genomics"],
    "ENGY": ["Petroleum", "Energy", "Oil & Gas", "Drilling", "Pipelines", "Solar", "Offshore"],
    "INDU": ["Industries", "Machinery", "Aerospace", "Logistics", "Engineering", "Rail", "Tooling"],
    "CONS": ["Foods", "Retail", "Brands", "Apparel", "Breweries", "Motors", "Leisure", "Stores"],
    "UTIL": ["Power", "Water", "Electric", "Utilities", "Gas & Light", "Grid"],
    "MATL": ["Mining", "Steel", "Chemicals", "Paper", "Cement", "Minerals", "Alloys"],
    "REAL": ["Properties", "Realty", "Land", "Estates", "Developments"],
    "TELE": ["Telecom", "Communications", "Mobile", "Broadband", "Networks"],
}

ENDINGS = {
    "AMX": ["Inc.", "Corp.", "Holdings", "Group", "Co.", "Ltd."],
    "RHX": ["AG", "SE", "N.V.", "S.A.", "GmbH & Co. KGaA", "AG"],
    "KTX": ["Co., Ltd.", "Corporation", "Holdings", "K.K."],
    "HBX": ["Holdings Ltd.", "Group Ltd.", "International", "Ltd."],
    "CRX": ["Ltd.", "Bhd.", "Holdings"],
}

STEMS = {
    "AMX": ["Atlas Ridge", "Bramblecove", "Cinderhill", "Dunmore", "Eastwick", "Foxhollow", "Glenharrow",
            "Halvorsen", "Ironvale", "Juniper Bay", "Kettleworth", "Larchmont", "Marlowe", "Northbrook",
            "Oakhaven", "Pembrook", "Quarrystone", "Ravenmoor", "Saltmarsh", "Thornbury", "Umberfield",
            "Valecrest", "Westerly", "Yarrowdale", "Zephyr Point", "Brightwater", "Coldspring", "Deerfield",
            "Emberline", "Fairhaven", "Granite Falls", "Hollis", "Keystone Ridge", "Lakemont", "Mistral"],
    "RHX": ["Rheinwerk", "Falkenberg", "Altmühl", "Bergmann-Lenz", "Donautal", "Eichwald", "Feldhaus",
            "Grünstein", "Hohenfels", "Isarkraft", "Kesselring", "Lindenau", "Moselhof", "Nordlicht",
            "Oberland", "Pfalzer", "Rosenthal", "Schwarzach", "Taubertal", "Ulmenhof", "Vogelsang",
            "Weserland", "Zeller", "Van der Haven", "Duvernay", "Lindqvist", "Moretti", "Castellón"],
    "KTX": ["Kiyomizu", "Hoshida", "Asanagi", "Fujikawa", "Hanazono", "Isezaki", "Kamogawa", "Matsunaga",
            "Nishikaze", "Okuyama", "Sakuragi", "Takamine", "Umehara", "Yamabuki", "Chidori", "Eboshi",
            "Gekko", "Harukaze", "Kanto Seiki", "Mizuho Dai"],
    "HBX": ["Victoria Harbour", "Golden Junk", "Jade Terrace", "Kowloon Gate", "Lantau Pearl", "Peak View",
            "Silver Lotus", "Tai Ping", "Wing On Star", "Pearl Delta", "Red Lantern", "Sampan",
            "Dragon Crest", "Harbourfront", "Lucky Orchid", "Oriental Tide"],
    "CRX": ["Coral Bay", "Merlion Tide", "Straits Lantern", "Sentosa Reach", "Palm Quay", "Raffles Arc"],
}

EXCHANGES = [
    # code, name, flag, currency, active, equities, flags of foreign listings
    ("AMX", "Atlantic Markets Exchange", "us", "USD", True, 120, ["ca", "gb", "br", "in", "kr", "au"]),
    ("RHX", "Rhine Exchange", "de", "EUR", True, 92, ["fr", "nl", "ch", "it", "es", "se", "eu"]),
    ("KTX", "Kanto Exchange", "jp", "JPY", True, 82, ["cn", "kr", "sg"]),
    ("HBX", "Harbour Exchange", "hk", "HKD", True, 64, ["cn", "sg", "au", "gb"]),
    ("CRX", "Coral Reef Exchange", "sg", "SGD", False, 6, ["au"]),
]

# Price ranges of an ordinary share, in the market's currency.
SHARE_PRICES = {"USD": (4.0, 650.0), "EUR": (3.0, 420.0), "JPY": (180.0, 18000.0),
                "HKD": (0.4, 580.0), "SGD": (0.2, 40.0)}

STATUS_TEXTS = ["Halted", "Pre-open"]
CA_TEXTS = ["XD 0.42", "Split 2:1", "XD 1.10", "Rights 1:5", "XR", "Split 1:10"]

# Instruments of the shipped watchlists that carry several flags at once, so
# a board's flag dialogs have more than one box to tick. A text joins its
# flags with ";", the way the board joins a quote's note with the instrument's
# text. The terminal's flag panels (host/data/instrument-flags.xrc) have one
# box per flag code used here and above.
SHOWCASE_FLAGS = {
    ("AMX", "CDG"): ("Pre-open;SSR", None),
    ("AMX", "BDI"): (None, "XD 0.42;XR"),
    ("AMX", "BIG"): ("Auction", "Merger"),
    ("RHX", "KSS"): ("SSR", "Split 3:2;XD 0.15"),
    ("KTX", "2788"): ("Halted", None),
}


def log_uniform(rng, low, high):
    return math.exp(rng.uniform(math.log(low), math.log(high)))


def letter_ticker(rng, name, taken, length):
    """A ticker from the name's initials and consonants, unique on its exchange."""
    letters = [c for c in name.upper() if "A" <= c <= "Z"]
    initials = "".join(word[0] for word in name.upper().split() if word[0].isalpha())
    candidates = [initials[:length], (initials + "".join(letters[1:]))[:length],
                  "".join(letters[:length])]
    for candidate in candidates:
        if len(candidate) >= 2 and candidate not in taken:
            return candidate
    while True:
        candidate = "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ") for _ in range(length))
        if candidate not in taken:
            return candidate


def number_code(rng, taken, low, high, width):
    while True:
        code = str(rng.randint(low, high)).zfill(width)
        if code not in taken:
            return code


class Instrument:
    def __init__(self, **fields):
        self.__dict__.update(fields)
        self.categories = []
        self.status = ""
        self.ca = ""


def company_name(rng, market, sector, used):
    for _ in range(50):
        stem = rng.choice(STEMS[market])
        word = rng.choice(SECTOR_WORDS[sector])
        name = f"{stem} {word} {rng.choice(ENDINGS[market])}"
        if name not in used:
            used.add(name)
            return name
    raise RuntimeError("ran out of names for " + market)


def make_code(rng, market, name, taken, asset):
    if market == "KTX":
        return number_code(rng, taken, 1301, 9997, 4)
    if market == "HBX":
        if asset == "warrant":
            return number_code(rng, taken, 10000, 29999, 5)
        return number_code(rng, taken, 1, 9999, 4) if rng.random() < 0.8 else number_code(rng, taken, 80000, 89999, 5)
    if market == "CRX":
        return letter_ticker(rng, name, taken, 3)
    return letter_ticker(rng, name, taken, rng.choice([3, 4]) if market == "AMX" else 3)


def equity(rng, market, currency, foreign_flags, home_flag, used, taken):
    sector_key, sector_name = rng.choice(SECTORS)
    name = company_name(rng, market, sector_key, used)
    asset, kind = ("reit", "REIT") if sector_key == "REAL" and rng.random() < 0.4 else ("equity", "Common Stock")
    low, high = SHARE_PRICES[currency]
    decimals = 0 if currency == "JPY" else (3 if currency == "SGD" else 2)
    flag = rng.choice(foreign_flags) if rng.random() < 0.12 else home_flag
    code = make_code(rng, market, name, taken, asset)
    return Instrument(code=code, name=name, asset=asset, flag=flag, currency=currency, sector=sector_name,
                      sector_key=sector_key, type=kind, decimals=decimals, prevclose=log_uniform(rng, low, high),
                      cap=log_uniform(rng, 0.2, 900.0))


def specials(rng, market, currency, home_flag, taken, equities):
    """ETFs, funds, bonds, warrants and derivatives of one market."""
    made = []
    jpy = currency == "JPY"

    def add(name, asset, kind, sector_key, decimals, price, flag=home_flag, code=None):
        sector_name = dict(SECTORS)[sector_key]
        made.append(Instrument(code=code or make_code(rng, market, name, taken, asset), name=name, asset=asset,
                               flag=flag, currency=currency, sector=sector_name, sector_key=sector_key, type=kind,
                               decimals=decimals, prevclose=price, cap=0.0))
        taken.add(made[-1].code)

    if market == "CRX":
        return made
    stem = STEMS[market][0].split()[0]
    add(f"{market} 100 Tracker ETF", "etf", "ETF", "FIN", 0 if jpy else 2, 20000.0 if jpy else rng.uniform(40, 300))
    add(f"{stem} Clean Energy ETF", "etf", "ETF", "ENGY", 0 if jpy else 2, 3000.0 if jpy else rng.uniform(15, 80))
    add(f"{stem} Global Income Fund", "fund", "Fund", "FIN", 0 if jpy else 2, 9000.0 if jpy else rng.uniform(8, 30))
    for years, coupon in ((5, rng.uniform(1.5, 4.5)), (10, rng.uniform(2.0, 5.0))):
        flag = "eu" if market == "RHX" else home_flag
        add(f"{stem} Treasury {coupon:.2f}% {2024 + years}", "bond", "Bond", "FIN", rng.choice([3, 4]),
            rng.uniform(94, 106), flag=flag)
    for company in rng.sample(equities, 2):
        strike = company.prevclose * rng.uniform(0.9, 1.2)
        decimals = 0 if jpy else 3
        add(f"{company.name.split()[0]} Call Warrant {strike:.0f}", "warrant", "Warrant", company.sector_key,
            decimals, rng.uniform(5, 300) if jpy else rng.uniform(0.05, 2.5))
    index_level = {"USD": 4800.0, "EUR": 16500.0, "JPY": 33000.0, "HKD": 17500.0}[currency]
    add(f"{market} 100 Index", "index", "Index", "FIN", 2, index_level * rng.uniform(0.95, 1.05))
    add(f"{market} 100 Index Future", "future", "Index Future", "FIN", 0 if jpy else 1,
        index_level * rng.uniform(0.95, 1.05))
    add(f"{market} 100 Index Option", "option", "Index Option", "FIN", 0 if jpy else 2, rng.uniform(40, 250))
    pair = {"USD": "EUR/USD", "EUR": "EUR/CHF", "JPY": "USD/JPY", "HKD": "USD/HKD"}[currency]
    fx_price = {"USD": 1.0850, "EUR": 0.9612, "JPY": 149.20, "HKD": 7.8150}[currency]
    add(f"{pair} Currency Future", "fx", "Currency Future", "FIN", 4 if currency != "JPY" else 2, fx_price,
        flag="eu" if currency == "EUR" else home_flag)
    return made


def exchange_kinds(market, instruments):
    """Category groups (kind -> caption, [(key, display name or None)]) and memberships."""
    kinds = {2: ("Sector", [(key, name) for key, name in SECTORS])}
    stocks = [i for i in instruments if i.asset in ("equity", "reit")]
    by_cap = sorted(stocks, key=lambda i: -i.cap)
    for instrument in instruments:
        instrument.categories.append(f"2:{instrument.sector_key}")

    indices = [(f"{market}100", f"{market} 100")]
    for instrument in by_cap[:min(100, len(by_cap) * 3 // 4)]:
        instrument.categories.append(f"3:{market}100")
    if market == "AMX":
        indices.append(("AMXTECH30", "AMX Tech 30"))
        for instrument in [i for i in by_cap if i.sector_key == "TECH"][:30]:
            instrument.categories.append("3:AMXTECH30")
    if market == "RHX":
        # Left without a display name on purpose: tabs then show the key.
        indices.append(("RHXMID", None))
        for instrument in by_cap[20:60]:
            instrument.categories.append("3:RHXMID")
    if market == "KTX":
        indices.append(("KTX400", "KTX Prime 400"))
        for instrument in by_cap[:60]:
            instrument.categories.append("3:KTX400")
    kinds[3] = ("Index", indices)

    kinds[4] = ("Board", [("MAIN", "Main Board"), ("GROWTH", "Growth Board")])
    for position, instrument in enumerate(by_cap):
        instrument.categories.append("4:MAIN" if position < len(by_cap) * 0.7 else "4:GROWTH")
    for instrument in instruments:
        if instrument.asset not in ("equity", "reit"):
            instrument.categories.append("4:MAIN")

    if market in ("AMX", "KTX"):
        kinds[5] = ("Liquidity tier", [("T1", "Tier 1"), ("T2", "Tier 2"), ("T3", "Tier 3")])
        for position, instrument in enumerate(by_cap):
            tier = 1 + min(2, position * 3 // max(1, len(by_cap)))
            instrument.categories.append(f"5:T{tier}")
    else:
        groups = {"TECH": "GROWTHIND", "HLTH": "GROWTHIND", "FIN": "CYCLICAL", "ENGY": "CYCLICAL",
                  "INDU": "CYCLICAL", "MATL": "CYCLICAL", "CONS": "DEFENSIVE", "UTIL": "DEFENSIVE",
                  "REAL": "DEFENSIVE", "TELE": "DEFENSIVE"}
        kinds[5] = ("Industry group", [("GROWTHIND", "Growth industries"), ("CYCLICAL", "Cyclicals"),
                                       ("DEFENSIVE", "Defensives")])
        for instrument in stocks:
            instrument.categories.append(f"5:{groups[instrument.sector_key]}")

    if market == "AMX":
        kinds[6] = ("Product", [("STOCK", "Shares"), ("ETP", "Exchange-traded products"),
                                ("DERIV", "Derivatives"), ("DEBT", "Debt")])
        product = {"equity": "STOCK", "reit": "STOCK", "etf": "ETP", "fund": "ETP", "bond": "DEBT",
                   "warrant": "DERIV", "future": "DERIV", "option": "DERIV", "fx": "DERIV", "index": None}
        for instrument in instruments:
            if product[instrument.asset]:
                instrument.categories.append(f"6:{product[instrument.asset]}")
    return kinds


def finish_prices(rng, instruments):
    for instrument in instruments:
        # The market still quotes on its usual grid when the catalogue
        # leaves the decimals out.
        instrument.price_decimals = instrument.decimals
        if rng.random() < 0.10:
            instrument.decimals = None
        instrument.prevclose = max(round(instrument.prevclose, instrument.price_decimals),
                                   10 ** -instrument.price_decimals)


def annotate(rng, instruments):
    for instrument in rng.sample(instruments, min(3, len(instruments))):
        instrument.status = rng.choice(STATUS_TEXTS)
    for instrument in rng.sample(instruments, min(4, len(instruments))):
        instrument.ca = rng.choice(CA_TEXTS)


def showcase(market, instruments):
    # Applied after every random choice, so the rest of the data stays as it was.
    for instrument in instruments:
        status, ca = SHOWCASE_FLAGS.get((market, instrument.code), (None, None))
        if status:
            instrument.status = status
        if ca:
            instrument.ca = ca


def build(rng):
    markets = []
    for code, name, flag, currency, active, count, foreign in EXCHANGES:
        used, taken = set(), set()
        equities = []
        for _ in range(count):
            instrument = equity(rng, code, currency, foreign, flag, used, taken)
            taken.add(instrument.code)
            equities.append(instrument)
        instruments = equities + specials(rng, code, currency, flag, taken, equities)
        finish_prices(rng, instruments)
        annotate(rng, instruments)
        showcase(code, instruments)
        kinds = exchange_kinds(code, instruments)
        instruments.sort(key=lambda i: (len(i.code), i.code) if code in ("KTX", "HBX") else i.code)
        markets.append(((code, name, flag, active), kinds, instruments))
    return markets


def format_number(value, decimals):
    return f"{value:.{decimals}f}"


def render(markets):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- Demo market data of the reference terminal. Generated by scripts/make-demo-catalogue.py;",
             "     every exchange, company and index in it is invented. -->",
             "<catalogue>"]
    for (code, name, flag, active), kinds, instruments in markets:
        lines.append(f"  <exchange code={quoteattr(code)} name={quoteattr(name)} flag={quoteattr(flag)}"
                     f" active=\"{'true' if active else 'false'}\">")
        for kind in sorted(kinds):
            caption, categories = kinds[kind]
            lines.append(f"    <kind type=\"{kind}\" caption={quoteattr(caption)}>")
            for key, display in categories:
                named = f" name={quoteattr(display)}" if display else ""
                lines.append(f"      <category key={quoteattr(key)}{named}/>")
            lines.append("    </kind>")
        for i in instruments:
            attributes = [("code", i.code), ("name", i.name), ("asset", i.asset), ("flag", i.flag),
                          ("currency", i.currency), ("sector", i.sector), ("type", i.type)]
            if i.decimals is not None:
                attributes.append(("decimals", str(i.decimals)))
            if i.status:
                attributes.append(("status", i.status))
            if i.ca:
                attributes.append(("ca", i.ca))
            attributes.append(("categories", " ".join(i.categories)))
            attributes.append(("prevclose", format_number(i.prevclose, i.price_decimals)))
            text = " ".join(f"{key}={quoteattr(value)}" for key, value in attributes)
            lines.append(f"    <instrument {text}/>")
        lines.append("  </exchange>")
    lines.append("</catalogue>")
    return "\n".join(lines) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "host", "data", "catalogue.xml")
    text = render(build(random.Random(SEED)))
    with open(target, "w", encoding="utf-8") as out:
        out.write(text)
    print(f"wrote {os.path.normpath(target)}")


if __name__ == "__main__":
    main()
