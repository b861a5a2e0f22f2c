// A short menu title in each of the phone's 47 languages, in its own script, with a second title
// of the same length, for the checks and benchmarks of the text drawing.
#pragma once

#include <cstdint>
#include <string_view>

namespace menuforge::test {

struct LanguageTitles {
  std::uint8_t languageId;
  std::u16string_view title;
  std::u16string_view other;  // as many UTF-16 units as `title`
  bool rightToLeft;
};

// clang-format off
inline constexpr LanguageTitles kLanguageTitles[] = {
    {1, u"Settings", u"Messages", false},  // English US
    {2, u"الإعدادات", u"الاتصالات", true},  // Arabic
    {3, u"Contacts", u"Calendar", false},  // English UK
    {4, u"設定", u"訊息", false},  // Chinese Complex
    {5, u"设置", u"信息", false},  // Chinese Simple
    {6, u"Réglages", u"Messages", false},  // French
    {7, u"Nachrichten", u"Einstellung", false},  // German
    {8, u"הגדרות", u"הודעות", true},  // Hebrew
    {9, u"Messaggi", u"Contatti", false},  // Italian
    {10, u"Mensajes", u"Contacto", false},  // Spanish
    {11, u"ข้อความ", u"ตั้งค่า", false},  // Thai
    {12, u"Cài đặt", u"Danh bạ", false},  // Vietnamese
    {13, u"Réglages", u"Contacts", false},  // Canadian French
    {14, u"Mensajes", u"Llamadas", false},  // American Spanish
    {15, u"Pesan", u"Musik", false},  // Bahasa
    {16, u"Настройки", u"Съобщения", false},  // Bulgarian
    {17, u"Postavke", u"Kontakti", false},  // Croatian
    {18, u"Zprávy", u"Hodiny", false},  // Czech
    {19, u"Beskeder", u"Kalender", false},  // Danish
    {20, u"Berichten", u"Instellen", false},  // Dutch
    {21, u"Seaded", u"Mängud", false},  // Estonian
    {22, u"Asetukset", u"Kalenteri", false},  // Finnish
    {23, u"Ρυθμίσεις", u"Παιχνίδια", false},  // Greek
    {24, u"Üzenetek", u"Naptárak", false},  // Hungarian
    {25, u"設定メニュー", u"着信メロディ", false},  // Japanese
    {26, u"메시지", u"연락처", false},  // Korean
    {27, u"Ziņojumi", u"Kontakti", false},  // Latvian
    {28, u"Muzika", u"Žinutė", false},  // Lithuanian
    {29, u"Tetapan", u"Kenalan", false},  // Malay
    {30, u"Meldinger", u"Kontakter", false},  // Norwegian
    {31, u"Ustawienia", u"Wiadomości", false},  // Polish
    {32, u"Mensagens", u"Contactos", false},  // Portuguese
    {33, u"Definições", u"Calendário", false},  // American Portuguese
    {34, u"Setări", u"Mesaje", false},  // Romanian
    {35, u"Настройки", u"Сообщения", false},  // Russian
    {36, u"Поруке", u"Музика", false},  // Serbian
    {37, u"Správy", u"Hodiny", false},  // Slovak
    {38, u"Igrice", u"Glasba", false},  // Slovenian
    {39, u"Mensahe", u"Tawagan", false},  // Tagalog
    {40, u"Ayarlar", u"Oyunlar", false},  // Turkish
    {41, u"Налаштування", u"Повідомлення", false},  // Ukrainian
    {42, u"Mensagens", u"Aplicação", false},  // Brazilian Portuguese
    {43, u"Kontakter", u"Kalendern", false},  // Swedish
    {44, u"تنظیمات", u"پیام\u200Cها", true},  // Farsi
    {45, u"ترتیبات", u"پیغامات", true},  // Urdu
    {46, u"संगीत", u"संदेश", false},  // Hindi
    {47, u"Mesej", u"Muzik", false},  // Bahasa Malay
};
// clang-format on

}  // namespace menuforge::test
