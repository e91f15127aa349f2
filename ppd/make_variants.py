#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
# Writes the sample zq4410 PPDs of this folder: the plain file and its variants for text encodings,
# missing keywords and short choice lists, all from one description so that they stay equivalent.
# Run from anywhere: python3 ppd/make_variants.py

import os

HERE = os.path.dirname(os.path.abspath(__file__))

PAGE_SIZES = [
    # name, text, width, height (points)
    ("Letter", "US Letter", 612, 792),
    ("Legal", "US Legal", 612, 1008),
    ("Executive", "Executive", 522, 756),
    ("A4", "A4", 595, 842),
    ("A5", "A5", 420, 595),
    ("B5", "JIS B5", 516, 729),
]
MARGIN = 12

# Main view first, then the advanced view per object kind. Each entry: keyword, text, default,
# choices [(keyword, text)]. Choice order matters: the presets and constraint rules address positions.
QUICK_COLOR = ("TLQuickColor", "Quick Color", "Standard",
               [("Standard", "Standard"), ("Photo", "Photo"), ("Vivid", "Vivid"), ("CustomSettings", "Custom")])
BRIGHTNESS = ("TLBrightness", "Brightness", "Normal",
              [("Minus2", "Darkest"), ("Minus1", "Darker"), ("Normal", "Normal"),
               ("Plus1", "Lighter"), ("Plus2", "Lightest")])
EDGE_TYPE = ("TLEdgeType", "Edge Type", "Standard",
             [("Off", "Off"), ("Standard", "Standard"), ("Strong", "Strong")])
BOOLEANS = [
    ("TLColorAsGray", "Color as Grayscale",
     "<< /ProcessColorModel /DeviceGray >> setpagedevice",
     "<< /ProcessColorModel /DeviceCMYK >> setpagedevice"),
    ("TLColorSeparation", "Color Separation",
     "<< /Separations true >> setpagedevice",
     "<< /Separations false >> setpagedevice"),
    ("TLEconoMode", "EconoMode",
     "userdict /TLEconoMode true put",
     "userdict /TLEconoMode false put"),
]

RGB_SOURCE = [("None", "None"), ("sRGB", "sRGB"), ("AdobeRGB", "Adobe RGB (1998)"),
              ("ColorMatchRGB", "ColorMatch RGB")]
INTENT = [("Perceptual", "Perceptual (Photographic)"), ("Saturation", "Saturation (Vivid)"),
          ("Relative", "Relative Colorimetric"), ("Absolute", "Absolute Colorimetric")]
GRAY = [("Composite", "Composite Gray (CMYK)"), ("BlackOnly", "Black Only (K)"), ("TrueGray", "True Gray")]
DESTINATION = [("Auto", "Auto"), ("Standard", "Standard"), ("Photo", "Photo"), ("Proof", "Proof")]
HALFTONE = [("Standard", "Standard"), ("Smooth", "Smooth"), ("Detail", "Detail")]
EDGE_ENHANCE = [("Off", "Off"), ("Normal", "Normal"), ("Strong", "Strong")]
SIM_SOURCE = [("None", "None"), ("SWOP", "SWOP (U.S.)"), ("Euroscale", "Euroscale"),
              ("JapanColor", "Japan Color 2001 Coated")]
SIM_INTENT = [("Relative", "Off (Relative Colorimetric)"), ("Absolute", "On (Absolute Colorimetric)"),
              ("Perceptual", "Perceptual")]

# The PPD defaults follow the "Standard" Quick Color preset.
ADVANCED = [
    ("TLImage", "Image", [
        ("TLImageRGBSource", "Image RGB Source", "sRGB", RGB_SOURCE),
        ("TLImageRenderIntent", "Image RGB Intent", "Perceptual", INTENT),
        ("TLImageGrayTreatment", "Image RGB Gray Treatment", "Composite", GRAY),
        ("TLImageDestinationProfile", "Image Destination Profile", "Auto", DESTINATION),
        ("TLImageHalftone", "Image Halftone", "Smooth", HALFTONE),
        ("TLImageEdgeEnhance", "Image Edge Enhancement", "Off", EDGE_ENHANCE),
    ]),
    ("TLText", "Text", [
        ("TLTextRGBSource", "Text RGB Source", "sRGB", RGB_SOURCE),
        ("TLTextRenderIntent", "Text RGB Intent", "Saturation", INTENT),
        ("TLTextGrayTreatment", "Text RGB Gray Treatment", "BlackOnly", GRAY),
        ("TLTextDestinationProfile", "Text Destination Profile", "Auto", DESTINATION),
        ("TLTextHalftone", "Text Halftone", "Detail", HALFTONE),
        ("TLTextEdgeEnhance", "Text Edge Enhancement", "Normal", EDGE_ENHANCE),
    ]),
    ("TLGraphics", "Graphics", [
        ("TLGraphicsRGBSource", "Graphics RGB Source", "sRGB", RGB_SOURCE),
        ("TLGraphicsRenderIntent", "Graphics RGB Intent", "Saturation", INTENT),
        ("TLGraphicsGrayTreatment", "Graphics RGB Gray Treatment", "BlackOnly", GRAY),
        ("TLGraphicsDestinationProfile", "Graphics Destination Profile", "Auto", DESTINATION),
        ("TLGraphicsHalftone", "Graphics Halftone", "Smooth", HALFTONE),
        ("TLGraphicsEdgeEnhance", "Graphics Edge Enhancement", "Normal", EDGE_ENHANCE),
    ]),
    ("TLSimulation", "CMYK Simulation", [
        ("TLSimSource", "Simulation Profile", "None", SIM_SOURCE),
        ("TLSimRenderIntent", "Match Paper Color", "Relative", SIM_INTENT),
        ("TLSimGrayTreatment", "CMYK Gray Treatment", "Composite", GRAY),
    ]),
]

# Japanese display texts for the Shift JIS variant (none of them has 0x5C in its Shift JIS form).
JAPANESE = {
    "General": "一般",
    "Media Size": "用紙サイズ",
    "US Letter": "レター",
    "US Legal": "リーガル",
    "Executive": "エグゼクティブ",
    "JIS B5": "B5 (JIS)",
    "Resolution": "解像度",
    "2-Sided Printing": "両面印刷",
    "Long-Edge Binding": "長辺とじ",
    "Short-Edge Binding": "短辺とじ",
    "Paper Source": "給紙方法",
    "Tray 1": "トレイ 1",
    "Tray 2": "トレイ 2",
    "Manual Feed": "手差し",
    "Media Type": "用紙の種類",
    "Plain Paper": "普通紙",
    "Thick Paper": "厚紙",
    "Labels": "ラベル紙",
    "Transparency": "OHP フィルム",
    "Finishing": "仕上げ",
    "Output Bin": "排紙先",
    "Face Down (Top Tray)": "フェイスダウン (上トレイ)",
    "Face Up (Rear Tray)": "フェイスアップ (後トレイ)",
    "Toner Density": "トナー濃度",
    "Light": "薄く",
    "Dark": "濃く",
    "Color Options": "カラーオプション",
    "Quick Color": "クイックカラー",
    "Standard": "標準",
    "Photo": "写真",
    "Vivid": "鮮やか",
    "Custom": "カスタム",
    "Brightness": "明るさ",
    "Darkest": "最も暗く",
    "Darker": "暗く",
    "Normal": "標準 (ﾉｰﾏﾙ)",
    "Lighter": "明るく",
    "Lightest": "最も明るく",
    "Color as Grayscale": "グレースケールで印刷",
    "Color Separation": "色分解",
    "EconoMode": "エコノモード",
    "Edge Type": "エッジタイプ",
    "Strong": "強",
    "Off": "オフ",
    "On": "オン",
    "Image": "イメージ",
    "Text": "テキスト",
    "Graphics": "グラフィックス",
    "CMYK Simulation": "CMYK シミュレーション",
    "Image RGB Source": "イメージ RGB 入力元",
    "Text RGB Source": "テキスト RGB 入力元",
    "Graphics RGB Source": "グラフィックス RGB 入力元",
    "None": "なし",
    "Image RGB Intent": "イメージ RGB インテント",
    "Text RGB Intent": "テキスト RGB インテント",
    "Graphics RGB Intent": "グラフィックス RGB インテント",
    "Perceptual (Photographic)": "知覚的 (写真)",
    "Saturation (Vivid)": "彩度 (鮮やか)",
    "Relative Colorimetric": "相対的な色域を維持",
    "Absolute Colorimetric": "絶対的な色域を維持",
    "Image RGB Gray Treatment": "イメージ RGB グレー処理",
    "Text RGB Gray Treatment": "テキスト RGB グレー処理",
    "Graphics RGB Gray Treatment": "グラフィックス RGB グレー処理",
    "Composite Gray (CMYK)": "コンポジットグレー (CMYK)",
    "Black Only (K)": "ブラックのみ (K)",
    "True Gray": "トゥルーグレー",
    "Image Destination Profile": "イメージ 出力先プロファイル",
    "Text Destination Profile": "テキスト 出力先プロファイル",
    "Graphics Destination Profile": "グラフィックス 出力先プロファイル",
    "Auto": "自動",
    "Proof": "校正",
    "Image Halftone": "イメージ ハーフトーン",
    "Text Halftone": "テキスト ハーフトーン",
    "Graphics Halftone": "グラフィックス ハーフトーン",
    "Smooth": "滑らか",
    "Detail": "詳細",
    "Image Edge Enhancement": "イメージ エッジ強調",
    "Text Edge Enhancement": "テキスト エッジ強調",
    "Graphics Edge Enhancement": "グラフィックス エッジ強調",
    "Simulation Profile": "シミュレーションプロファイル",
    "SWOP (U.S.)": "SWOP (米国)",
    "Euroscale": "ユーロスケール",
    "Japan Color 2001 Coated": "Japan Color 2001 コート紙",
    "Match Paper Color": "用紙色に合わせる",
    "Off (Relative Colorimetric)": "オフ (相対的な色域を維持)",
    "On (Absolute Colorimetric)": "オン (絶対的な色域を維持)",
    "Perceptual": "知覚的",
    "CMYK Gray Treatment": "CMYK グレー処理",
}

# Per-choice texts with characters outside ASCII, keyed by (option keyword, choice keyword).
LATIN1_TEXTS = {
    ("TLQuickColor", "Standard"): "Standard (Büro)",
    ("TLQuickColor", "Photo"): "Photo (qualité)",
    ("TLQuickColor", "Vivid"): "Vivid (Präsentation)",
    ("TLQuickColor", "CustomSettings"): "Custom (Maß)",
    ("TLBrightness", "Minus2"): "Très sombre",
}
CP1252_TEXTS = {
    ("TLQuickColor", "Standard"): "Standard™",
    ("TLQuickColor", "Photo"): "Photo – Smooth",
    ("TLQuickColor", "Vivid"): "Vivid “Presentation”",
    ("TLQuickColor", "CustomSettings"): "Custom ‘User’",
    ("TLBrightness", "Plus2"): "Lightest (œ)",
    ("TLSimSource", "Euroscale"): "Euroscale (€)",
}
MACROMAN_TEXTS = {
    ("TLQuickColor", "Standard"): "Standard™",
    ("TLQuickColor", "Photo"): "Photo (qualité)",
    ("TLQuickColor", "Vivid"): "Vivid (Präsentation)",
    ("TLQuickColor", "CustomSettings"): "Custom – Maß",
}
KOI8R_TEXTS = {
    ("TLQuickColor", "Standard"): "Стандарт",
    ("TLQuickColor", "Photo"): "Фото",
    ("TLQuickColor", "Vivid"): "Яркий",
    ("TLQuickColor", "CustomSettings"): "Особый",
}
UTF8_TEXTS = {
    ("TLQuickColor", "Standard"): "Standard™",
    ("TLQuickColor", "Photo"): "Photo (qualité)",
    ("TLQuickColor", "Vivid"): "Vivid “Présentation”",
    ("TLQuickColor", "CustomSettings"): "Custom (カスタム)",
    ("TLBrightness", "Normal"): "Normal – 標準",
    ("TLSimSource", "Euroscale"): "Euroscale (€)",
}


class Variant:
    def __init__(self, file, note, encoding_name="ISOLatin1", codec="latin-1", language="English",
                 choice_texts=None, translate=None, drop=(), shorten=None, pc_name="ZQ4410.PPD",
                 nick_suffix="", ja_translations=False):
        self.file = file
        self.note = note
        self.encoding_name = encoding_name
        self.codec = codec
        self.language = language
        self.choice_texts = choice_texts or {}
        self.translate = translate or {}
        self.drop = set(drop)
        # keyword -> (choice keywords kept, default)
        self.shorten = shorten or {}
        self.pc_name = pc_name
        self.nick_suffix = nick_suffix
        # Japanese translation strings (cupsLanguages) for every option and choice, in UTF-8.
        self.ja_translations = ja_translations
        # (keyword, English text, [(choice, English text)]) of every option written, for the translations.
        self.ui = []
        # (name, English text) of every group written.
        self.groups = []


def text(variant, english):
    return variant.translate.get(english, english)


def choice_text(variant, option, choice, english):
    return variant.choice_texts.get((option, choice), text(variant, english))


def pick_one(variant, out, keyword, option_text, default, choices, order, code):
    if keyword in variant.drop:
        return
    if keyword in variant.shorten:
        kept, default = variant.shorten[keyword]
        choices = [c for c in choices if c[0] in kept]
    variant.ui.append((keyword, option_text, choices))
    out.append(f"*OpenUI *{keyword}/{text(variant, option_text)}: PickOne")
    out.append(f"*OrderDependency: {order} AnySetup *{keyword}")
    out.append(f"*Default{keyword}: {default}")
    for choice, english in choices:
        out.append(f'*{keyword} {choice}/{choice_text(variant, keyword, choice, english)}: "{code(choice)}"')
    out.append(f"*CloseUI: *{keyword}")
    out.append("")


def build(variant):
    out = []
    add = out.append
    add('*PPD-Adobe: "4.3"')
    add("*% PostScript Printer Description of the TESSALUMA zq4410 colour laser printer, written as")
    add("*% sample data for the Color Options print dialog extension.")
    for line in variant.note:
        add("*% " + line)
    add('*FormatVersion: "4.3"')
    add('*FileVersion: "1.0"')
    add(f"*LanguageVersion: {variant.language}")
    if variant.encoding_name:
        add(f"*LanguageEncoding: {variant.encoding_name}")
    add(f'*PCFileName: "{variant.pc_name}"')
    add('*Manufacturer: "TESSALUMA"')
    add('*Product: "(zq4410)"')
    add('*ModelName: "TESSALUMA zq4410"')
    add(f'*ShortNickName: "TESSALUMA zq4410{variant.nick_suffix}"')
    add(f'*NickName: "TESSALUMA zq4410 PS{variant.nick_suffix}"')
    add('*1284DeviceID: "MFG:TESSALUMA;MDL:zq4410;CMD:POSTSCRIPT,PJL;CLS:PRINTER;"')
    add('*PSVersion: "(3010.000) 0"')
    add('*LanguageLevel: "3"')
    add("*ColorDevice: True")
    add("*DefaultColorSpace: CMYK")
    add("*FileSystem: True")
    add('*Throughput: "40"')
    add("*TTRasterizer: Type42")
    add("*Protocols: BCP TBCP")
    add("")

    def userdict(keyword):
        return lambda choice: f"userdict /{keyword} /{choice} put"

    variant.groups = [("General", "General"), ("TLFinishing", "Finishing"), ("TLColorOptions", "Color Options")]
    variant.groups += [(group, group_text) for group, group_text, _ in ADVANCED]
    add(f"*OpenGroup: General/{text(variant, 'General')}")
    add("")
    for keyword, order in (("PageSize", 10), ("PageRegion", 10)):
        ui = "Media Size"
        variant.ui.append((keyword, ui, [(name, label) for name, label, _, _ in PAGE_SIZES]))
        add(f"*OpenUI *{keyword}/{text(variant, ui)}: PickOne")
        add(f"*OrderDependency: {order} AnySetup *{keyword}")
        add(f"*Default{keyword}: A4")
        for name, label, w, h in PAGE_SIZES:
            add(f'*{keyword} {name}/{text(variant, label)}: "<< /PageSize [{w} {h}] /ImagingBBox null >> setpagedevice"')
        add(f"*CloseUI: *{keyword}")
        add("")
    add("*DefaultImageableArea: A4")
    for name, label, w, h in PAGE_SIZES:
        add(f'*ImageableArea {name}/{text(variant, label)}: "{MARGIN} {MARGIN} {w - MARGIN} {h - MARGIN}"')
    add("")
    add("*DefaultPaperDimension: A4")
    for name, label, w, h in PAGE_SIZES:
        add(f'*PaperDimension {name}/{text(variant, label)}: "{w} {h}"')
    add("")
    pick_one(variant, out, "Resolution", "Resolution", "600dpi",
             [("600dpi", "600 dpi"), ("1200dpi", "1200 dpi")], 20,
             lambda c: f"<< /HWResolution [{c[:-3]} {c[:-3]}] >> setpagedevice")
    duplex_code = {"None": "<< /Duplex false >> setpagedevice",
                   "DuplexNoTumble": "<< /Duplex true /Tumble false >> setpagedevice",
                   "DuplexTumble": "<< /Duplex true /Tumble true >> setpagedevice"}
    pick_one(variant, out, "Duplex", "2-Sided Printing", "None",
             [("None", "Off"), ("DuplexNoTumble", "Long-Edge Binding"), ("DuplexTumble", "Short-Edge Binding")],
             20, lambda c: duplex_code[c])
    slot_code = {"Tray1": "<< /ManualFeed false /MediaPosition 0 >> setpagedevice",
                 "Tray2": "<< /ManualFeed false /MediaPosition 1 >> setpagedevice",
                 "Manual": "<< /ManualFeed true >> setpagedevice"}
    pick_one(variant, out, "InputSlot", "Paper Source", "Tray1",
             [("Tray1", "Tray 1"), ("Tray2", "Tray 2"), ("Manual", "Manual Feed")], 20, lambda c: slot_code[c])
    pick_one(variant, out, "MediaType", "Media Type", "Plain",
             [("Plain", "Plain Paper"), ("Thick", "Thick Paper"), ("Labels", "Labels"),
              ("Transparency", "Transparency")], 20, lambda c: f"<< /MediaType ({c}) >> setpagedevice")
    add("*CloseGroup: General")
    add("")
    add(f"*OpenGroup: TLFinishing/{text(variant, 'Finishing')}")
    add("")
    pick_one(variant, out, "TLOutputBin", "Output Bin", "FaceDown",
             [("FaceDown", "Face Down (Top Tray)"), ("FaceUp", "Face Up (Rear Tray)")], 25,
             userdict("TLOutputBin"))
    pick_one(variant, out, "TLTonerSave", "Toner Density", "Normal",
             [("Light", "Light"), ("Normal", "Normal"), ("Dark", "Dark")], 25, userdict("TLTonerSave"))
    add("*CloseGroup: TLFinishing")
    add("")

    add(f"*OpenGroup: TLColorOptions/{text(variant, 'Color Options')}")
    add("")
    for i, (keyword, label, default, choices) in enumerate((QUICK_COLOR, BRIGHTNESS)):
        pick_one(variant, out, keyword, label, default, choices, 30 + i, userdict(keyword))
    for i, (keyword, label, on_code, off_code) in enumerate(BOOLEANS):
        if keyword in variant.drop:
            continue
        variant.ui.append((keyword, label, [("True", "On"), ("False", "Off")]))
        add(f"*OpenUI *{keyword}/{text(variant, label)}: Boolean")
        add(f"*OrderDependency: {32 + i} AnySetup *{keyword}")
        add(f"*Default{keyword}: False")
        add(f'*{keyword} True/{text(variant, "On")}: "{on_code}"')
        add(f'*{keyword} False/{text(variant, "Off")}: "{off_code}"')
        add(f"*CloseUI: *{keyword}")
        add("")
    keyword, label, default, choices = EDGE_TYPE
    pick_one(variant, out, keyword, label, default, choices, 35, userdict(keyword))
    add("*CloseGroup: TLColorOptions")
    add("")

    order = 40
    for group, group_text, options in ADVANCED:
        add(f"*OpenGroup: {group}/{text(variant, group_text)}")
        add("")
        for keyword, label, default, choices in options:
            pick_one(variant, out, keyword, label, default, choices, order, userdict(keyword))
            order += 1
        add(f"*CloseGroup: {group}")
        add("")

    add("*% Gray output and colour separations exclude each other.")
    add("*UIConstraints: *TLColorAsGray True *TLColorSeparation True")
    add("*UIConstraints: *TLColorSeparation True *TLColorAsGray True")
    add("*% Transparencies go through single-sided; labels leave face up.")
    add("*UIConstraints: *MediaType Transparency *Duplex")
    add("*UIConstraints: *Duplex *MediaType Transparency")
    add("*UIConstraints: *MediaType Labels *TLOutputBin FaceDown")
    add("*UIConstraints: *TLOutputBin FaceDown *MediaType Labels")
    add("")
    add("*DefaultFont: Courier")
    for font, version, charset in (("Courier", "002.004", "Standard"), ("Courier-Bold", "002.004", "Standard"),
                                   ("Helvetica", "001.006S", "Standard"), ("Helvetica-Bold", "001.007S", "Standard"),
                                   ("Times-Roman", "001.007S", "Standard"), ("Times-Bold", "001.009S", "Standard"),
                                   ("Symbol", "001.008S", "Special")):
        add(f'*Font {font}: {charset} "({version})" {charset} ROM')
    add("")
    return "\n".join(out) + "\n"


def ja_translations(variant):
    """The Japanese translation strings; libcups expects them in UTF-8 whatever the file's encoding."""
    if not variant.ja_translations:
        return ""
    out = ['*cupsLanguages: "ja"']
    for name, group_text in variant.groups:
        out.append(f'*ja.Translation {name}/{JAPANESE.get(group_text, group_text)}: ""')
    for keyword, option_text, choices in variant.ui:
        out.append(f'*ja.Translation {keyword}/{JAPANESE.get(option_text, option_text)}: ""')
        for choice, english in choices:
            out.append(f'*ja.{keyword} {choice}/{JAPANESE.get(english, english)}: ""')
    return "\n".join(out) + "\n\n"


VARIANTS = [
    Variant("zq4410.ppd", ["The plain file: every option text is ASCII; Japanese translation strings (UTF-8)."],
            ja_translations=True),
    Variant("zq4410-utf8.ppd",
            ["Variant: UTF-8 texts under the encoding name UTF-8 (no Adobe name; libcups reads texts",
             "of a name it does not know as UTF-8)."],
            encoding_name="UTF-8", codec="utf-8", choice_texts=UTF8_TEXTS, pc_name="ZQ4410U8.PPD",
            nick_suffix=" UTF-8"),
    Variant("zq4410-utf8-nohyphen.ppd",
            ["Variant: UTF-8 texts under the encoding name UTF8."],
            encoding_name="UTF8", codec="utf-8", choice_texts=UTF8_TEXTS, pc_name="ZQ4410UN.PPD",
            nick_suffix=" UTF8"),
    Variant("zq4410-sjis.ppd",
            ["Variant: Japanese texts in Shift JIS (JIS83-RKSJ), one with half-width katakana."],
            encoding_name="JIS83-RKSJ", codec="shift_jis", language="Japanese", translate=JAPANESE,
            pc_name="ZQ4410JA.PPD", nick_suffix=" JA"),
    Variant("zq4410-cp1252.ppd",
            ["Variant: texts in Windows code page 1252 that use bytes 0x80-0x9F."],
            encoding_name="WindowsANSI", codec="cp1252", choice_texts=CP1252_TEXTS, pc_name="ZQ4410WA.PPD",
            nick_suffix=" WinANSI"),
    Variant("zq4410-latin1.ppd",
            ["Variant: texts in ISO 8859-1 with letters outside ASCII."],
            choice_texts=LATIN1_TEXTS, pc_name="ZQ4410L1.PPD", nick_suffix=" Latin1"),
    Variant("zq4410-unknown.ppd",
            ["Variant: texts in Mac OS Roman under MacStandard, an Adobe name that libcups converts",
             "but that the panel's own table of encodings does not list."],
            encoding_name="MacStandard", codec="mac_roman", choice_texts=MACROMAN_TEXTS, pc_name="ZQ4410MS.PPD",
            nick_suffix=" MacStd"),
    Variant("zq4410-undecodable.ppd",
            ["Variant: texts in KOI8-R under that name, which libcups does not know: it passes the",
             "bytes on unconverted, so the Quick Color texts are not valid UTF-8."],
            encoding_name="KOI8-R", codec="koi8_r", choice_texts=KOI8R_TEXTS, pc_name="ZQ4410KO.PPD",
            nick_suffix=" KOI8-R"),
    Variant("zq4410-noencoding.ppd",
            ["Variant: no LanguageEncoding line (cupstestppd requires one); texts in ISO 8859-1,",
             "which libcups assumes and converts, leaving the PPD's lang_encoding null."],
            encoding_name=None, choice_texts=LATIN1_TEXTS, pc_name="ZQ4410NE.PPD", nick_suffix=" NoEnc"),
    Variant("zq4410-missing.ppd",
            ["Variant: without TLBrightness, TLTextHalftone and TLSimSource."],
            drop=("TLBrightness", "TLTextHalftone", "TLSimSource"), pc_name="ZQ4410MI.PPD",
            nick_suffix=" Missing"),
    Variant("zq4410-short.ppd",
            ["Variant: TLImageHalftone has 2 choices, TLTextRenderIntent and TLGraphicsEdgeEnhance 1,",
             "fewer than the Quick Color presets address."],
            shorten={"TLImageHalftone": (("Standard", "Smooth"), "Smooth"),
                     "TLTextRenderIntent": (("Perceptual",), "Perceptual"),
                     "TLGraphicsEdgeEnhance": (("Off",), "Off")},
            pc_name="ZQ4410SH.PPD", nick_suffix=" Short"),
]


def main():
    for variant in VARIANTS:
        data = build(variant).encode(variant.codec) + ja_translations(variant).encode("utf-8")
        data += b"*% End of the zq4410 PPD\n"
        if variant.codec == "shift_jis" and b"\\" in data:
            raise SystemExit(f"{variant.file}: a Shift JIS text holds the byte 0x5C")
        if variant.codec == "koi8_r":
            for english in KOI8R_TEXTS.values():
                try:
                    english.encode("koi8_r").decode("utf-8")
                    raise SystemExit(f"{variant.file}: {english} is valid UTF-8 in KOI8-R")
                except UnicodeDecodeError:
                    pass
        with open(os.path.join(HERE, variant.file), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
