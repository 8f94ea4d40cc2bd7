// The English texts of the screen and the report, one entry for each Turkish layout or
// free-form text that holds words.  Each English layout keeps the values of the Turkish one in
// the same order and, where a label stands before a value, the same width, so the numbers stand
// where they stand in the Turkish report.  The yes/no questions become Y/N questions.
#include <unordered_map>

#include "report/texts.h"

namespace tidewerk {
namespace {

constexpr TranslatedText kEnglish[] = {
    {"(//5X,'Pervane Karakteristikleri - Kt/J^2 = ',F6.3/)",
     "(//5X,'Propeller Characteristics - Kt/J^2 = ',F6.3/)"},
    {"(//5X,'Pervane Karakteristikleri - Kt/J^4 = ',F6.3/)",
     "(//5X,'Propeller Characteristics - Kt/J^4 = ',F6.3/)"},
    {"(//5X,'Pervane Karakteristikleri - Kq/J^5 = ',F6.3/)",
     "(//5X,'Propeller Characteristics - Kq/J^5 = ',F6.3/)"},
    {"(' Uyari: Secilen Pervane Pic Ust sinirinda. Bu durum hatali sonuc verebilir.')",
     "(' Warning: the selected propeller is at the upper pitch limit. The result may be wrong.')"},
    {"(' Secilen pervaneyi degistirmek ister misin? E/H <H>')",
     "(' Do you want to change the selected propeller? Y/N <N>')"},
    {"(' Istediginiz pervanenin indisini girin. (Sol kolon degeri).')",
     "(' Enter the index of the propeller you want. (Left column value).')"},
    {"(/,' VERILEN YUK KATSAYISI ICIN SERIDE UYGUN PERVANE BULUNAMADI')",
     "(/,' NO PROPELLER OF THE SERIES SUITS THE GIVEN LOAD COEFFICIENT')"},
    {"(/,' SECILEN PERVANE = ',I3,'. PERVANEDIR',/)",
     "(/,' THE SELECTED PROPELLER IS NUMBER',I3,/)"},
    {"(/,' SECILEN PERVANE = ',I2,'. PERVANEDIR',/)",
     "(/,' THE SELECTED PROPELLER IS NUMBER',I2,/)"},
    {"(' RPS=',F7.3,' dev/san',1X,'RPM=',F7.2,1X,'TORK=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')",
     "(' RPS=',F7.3,' rev/s  ',1X,'RPM=',F7.2,1X,'TORQ=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')"},
    {" ITTC VISKOZ DUZELTMESI ISTER MISIN E/H <H>",
     " DO YOU WANT THE ITTC VISCOUS CORRECTION Y/N <N>"},
    {" HESAPLANACAK PERVANE CAPINI (m) ve DEVRINI (RPM) GIRIN",
     " ENTER THE DIAMETER (m) and SPEED (RPM) OF THE PROPELLER TO COMPUTE"},
    {"(//5X,'Pervane Karakteristikleri ')", "(//5X,'Propeller Characteristics ')"},
    {"(//5X,'Pervane Karakteristikleri')", "(//5X,'Propeller Characteristics')"},
    {"(//5X,'Pervane Karakteristikleri '/)", "(//5X,'Propeller Characteristics '/)"},
    {"(//12X,' Pervane Karakteristikleri')", "(//12X,' Propeller Characteristics')"},
    {" **** INTERPOLANT ARALIGIN DISINDA ****", " **** INTERPOLANT OUTSIDE THE RANGE ****"},
    {" **** INTERPOLASYON BASARISIZ ****", " **** INTERPOLATION FAILED ****"},
    {"(/,/,' VERILEN ARALIKTA KOK YOKTUR - STOP')",
     "(/,/,' NO ROOT IN THE GIVEN INTERVAL - STOP')"},
    {"(' ** NOKTA ARALIGIN DISINDA **')", "(' ** POINT OUTSIDE THE RANGE **')"},
    {"ISTEDIGINIZ PERVANE INDISINI 1,2 veya 3 OLARAK GIRINIZ",
     "ENTER THE INDEX OF THE PROPELLER YOU WANT AS 1,2 or 3"},
    {" Yaricap D=", " Diameter D="},
    {"(1X,'Kq=',F6.4,' ICIN P/D HESABI MEVCUT PERVANE ICIN MUMKUN  DEGIL')",
     "(1X,'Kq=',F6.4,': NO P/D OF THIS PROPELLER CAN BE FOUND FOR IT')"},
    {" m. CAP ve N=", " m DIAMETER and N="},
    {" RPM devir icin makine gucleri", " RPM the engine power must lie"},
    {" araliginda olmalidir. Datayi buna gore duzenleyin",
     " in this range. Adjust the data accordingly"},
    {"(//' GAWN SERISI PERVANELER ICIN BOLLARD DURUMU HESABI MUMKUN DEGIL - STOP' )",
     "(//' THE BOLLARD CONDITION CANNOT BE COMPUTED FOR GAWN SERIES PROPELLERS - STOP' )"},
    {"(//5X,'Bollard Durumu Pervane Karakteristikleri')",
     "(//5X,'Bollard Condition Propeller Characteristics')"},
    {"ARA YARICAPLAR ICIN AYRICA INTERPOLASYON YAPILABILIR",
     "INTERMEDIATE DIAMETERS MAY ALSO BE INTERPOLATED"},
    {"(' TORK=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')", "(' TORQ=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')"},
    {"(/,/,3X,'HESAP YAPILACAK SAYI 3 DEN AZ OLDUGU ICIN PROGRAM CALISMASI DURDURULDU')",
     "(/,/,3X,'FEWER THAN 3 POINTS TO COMPUTE, SO THE PROGRAM WAS STOPPED')"},
    {"(/,/,3X,'VERILEN Bp DEGERI TABLO ARALIGI DISINDA - PROGRAM CALISMASI DURDURULDU')",
     "(/,/,3X,'THE GIVEN Bp LIES OUTSIDE THE TABLE - THE PROGRAM WAS STOPPED')"},
    {"(3X,' Bp = ',F9.4,'   Tablo araligi: ',F9.4,' - ',F9.4)",
     "(3X,' Bp = ',F9.4,'   Table range:   ',F9.4,' - ',F9.4)"},
    {"(1X,                                                    'BURRIL KAVITASYON KRITERINE GORE "
     "ACINIM ALANI KONTROLU')",
     "(1X,'BLADE-AREA CHECK BY THE BURRILL CAVITATION CRITERION')"},
    {"(1X,'Mevcut EAR = ',F6.3,' =>  ','Sigma = ',         F5.3,' Tauc = ',F5.3)",
     "(1X,'Actual EAR = ',F6.3,' =>  ','Sigma = ',         F5.3,' Tauc = ',F5.3)"},
    {"(1X,'%2.5 Sirt Kavitasyon Hattina Gore Min. EAR = ',  F5.3)",
     "(1X,'%2.5 back-cavitation line: Min. EAR =        ',  F5.3)"},
    {"(1X,'%5.0 Sirt Kavitasyon Hattina Gore Min. EAR = ',  F5.3)",
     "(1X,'%5.0 back-cavitation line: Min. EAR =        ',  F5.3)"},
    {"(1X,'Tavsiye edilen ust sinir icin Minimum  EAR = ',  F5.3)",
     "(1X,'Recommended upper limit: Minimum EAR =       ',  F5.3)"},
    {"(1X,                                                    'KELLER KRITERINE GORE ACINIM ALANI "
     "KONTROLU')",
     "(1X,'BLADE-AREA CHECK BY THE KELLER CRITERION')"},
    {"(1X,'     EAR = ',F5.3,' -> Tek pervaneli gemiler    ')",
     "(1X,'     EAR = ',F5.3,' -> Single-screw ships    ')"},
    {"(1X,'     EAR = ',F5.3,' -> Hizli askeri gemiler (cift pervaneli.)')",
     "(1X,'     EAR = ',F5.3,' -> Fast naval ships (twin-screw)')"},
    {"(1X,'     EAR = ',F5.3,' -> Yavas ticari gemiler (cift pervaneli.)')",
     "(1X,'     EAR = ',F5.3,' -> Slow merchant ships (twin-screw)')"},
    {"(1X,                                                    'KANAT UCU HIZINA GORE KANAT UCU "
     "GIRDABI TEHLIKESI KONTROLU')",
     "(1X,'TIP-VORTEX RISK CHECK BY THE BLADE TIP SPEED')"},
    {"(1X,'Vtip = ',F6.3,' m/s',2X,'(Vtip - Kanat ucu hizi < 30 m/s olmali)')",
     "(1X,'Vtip = ',F6.3,' m/s',2X,'(Vtip - the blade tip speed should be < 30 m/s)')"},
    {"Acinim alani orani Ae degisimine bagli pervane verimleri",
     "Propeller efficiencies against the blade-area ratio Ae"},
    {"Pervane acinim alan orani yukaridaki verilere gore yeniden belirlenebilir.",
     "The blade-area ratio of the propeller may be chosen anew from the data above."},
    {"(/,/,3X,'ILERLEME HIZI VA=',F8.3,' m/s ILERLEME KATSAYILARI SINIRLARI',/,'     DISINA "
     "DUSUYOR  - PROGRAM DURDURULDU ')",
     "(/,/,3X,'ADVANCE SPEED VA=',F8.3,' m/s FALLS OUTSIDE THE LIMITS',/,'     OF THE ADVANCE "
     "COEFFICIENT - PROGRAM STOPPED ')"},
    {"(3X,' VA = ',F8.3,' m/s ICIN J = ',F8.3,' OLUYOR')",
     "(3X,' VA = ',F8.3,' m/s GIVES J = ',F8.3)"},
    {"Pic degisimine bagli pervane itme kuvvetleri", "Propeller thrust against the pitch ratio"},
    {"(1X,'Istenen pervane itme kuvveti - T = ', F7.2, ' kN dur.')",
     "(1X,'Required propeller thrust    - T = ', F7.2, ' kN.')"},
    {"(1X,'Itme sinirlari disindasiniz - Baska dizayn yapiniz - STOP')",
     "(1X,'Outside the thrust limits - Make another design - STOP')"},
    {"(1X,'Istenen itmeyi saglayan pic orani P/D = ', F6.3,   ' olarak hesaplanmistir.')",
     "(1X,'The pitch ratio giving the required thrust is P/D = ', F6.3, '.')"},
    {"Pic degisimine bagli pervaneye verilen gucler", "Delivered power against the pitch ratio"},
    {"(1X,'Pervaneye verilen guc - Pd = ', F7.2, ' kW')",
     "(1X,'Delivered power       - Pd = ', F7.2, ' kW')"},
    {"(1X,'Guc sinirlari disindasiniz - Baska dizayn yapiniz  - STOP')",
     "(1X,'Outside the power limits - Make another design - STOP')"},
    {"(1X,'Istenen gucu saglayan pic orani P/D = ', F6.3,     ' olarak hesaplanmistir.')",
     "(1X,'The pitch ratio absorbing the required power is P/D = ', F6.3, '.')"},
    {"(1X,'Pervaneye verilen moment - Q = ', F7.2, ' kNm')",
     "(1X,'Delivered torque         - Q = ', F7.2, ' kNm')"},
    {"(1X,'Moment sinirlari disindasiniz - Baska dizayn yapiniz - STOP')",
     "(1X,'Outside the torque limits - Make another design - STOP')"},
    {"(1X,'Istenen momenti saglayan pic orani P/D = ', F6.3,  ' olarak hesaplanmistir.')",
     "(1X,'The pitch ratio absorbing the required torque is P/D = ', F6.3, '.')"},
    {"(//1X,'Pervane Ilerleme Katsayisi - J = ',F6.3)",
     "(//1X,'Advance coefficient        - J = ',F6.3)"},
    {"(  1X,'Pervane Capi               - D = ',F6.3,' m')",
     "(  1X,'Propeller diameter         - D = ',F6.3,' m')"},
    {"(  1X,'Pervane Devri              - N = ',F6.1,' RPM')",
     "(  1X,'Propeller speed            - N = ',F6.1,' RPM')"},
    {"(  1X,'Pervane Kanat Sayisi       - Z = ',I2.1)",
     "(  1X,'Number of blades           - Z = ',I2.1)"},
    {"(  1X,'Pervane Acinim Alan Orani - Ae = ',F6.3)",
     "(  1X,'Blade-area ratio          - Ae = ',F6.3)"},
    {"(  1X,'Pervane Saft Derinligi    - Hs = ',F6.3,' m')",
     "(  1X,'Shaft depth               - Hs = ',F6.3,' m')"},
    {"(' Pervaneye verilen guc - Pd = ',F8.2,                ' kW' )",
     "(' Delivered power       - Pd = ',F8.2,                ' kW' )"},
    {"(' Pervane itme kuvveti  - T = ',F8.3,                 ' kN' )",
     "(' Propeller thrust      - T = ',F8.3,                 ' kN' )"},
    {"(//5X,'Pervane Acik Su Karakteristikleri ')",
     "(//5X,'Propeller Open-Water Characteristics ')"},
    {" DEVAM ICIN ENTER TUSUNA BASINIZ ", " PRESS ENTER TO CONTINUE "},
    {"(' !',3X,'WAGENINGEN/GAWN/KCA SERISI PERVANE HIDRODINAMIK KARAKTERISTILERI   !')",
     "(' !',1X,'HYDRODYNAMIC CHARACTERISTICS OF WAGENINGEN/GAWN/KCA SERIES PROPELLERS','!')"},
    {"(' !',28X,'HESAP PROGRAMI',28X,'!')", "(' !',28X,'DESIGN PROGRAM',28X,'!')"},
    {"TAM OLCEGE EKSTRAPOLASYONDA", "IN THE EXTRAPOLATION TO FULL SCALE"},
    {"(' ITTC78 VISKOZ DUZELTME YONTEMI KULLANILMISTIR')",
     "(' THE ITTC78 VISCOUS CORRECTION METHOD WAS USED')"},
    {"(' VISKOZ DUZELTME YAPILMAMISTIR')", "(' NO VISCOUS CORRECTION WAS MADE')"},
    {"(1X,' Tidewerk Programi Data Giris Hata Uyarisi: ')",
     "(1X,' Tidewerk Program Data Entry Error Warning: ')"},
    {"  BITIRMEK ICIN ENTER TUSUNA BASINIZ", "  PRESS ENTER TO FINISH"},
    {"BITIRMEK ICIN ENTER TUSUNA BASINIZ", "PRESS ENTER TO FINISH"},
    {"(/' HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR')",
     "(/' THE WAGENINGEN B SERIES WAS USED IN THE CALCULATIONS')"},
    {"(/' HESAPLARDA GAWN SERISI KULLANILMISTIR')",
     "(/' THE GAWN SERIES WAS USED IN THE CALCULATIONS')"},
    {"(/' HESAPLARDA KCA SERISI KULLANILMISTIR')",
     "(/' THE KCA SERIES WAS USED IN THE CALCULATIONS')"},
    {"(1X,' Wageningen Serisi Pervanelerde 0.3<Ae/Ao<1.05 tir.')",
     "(1X,' For Wageningen Series Propellers 0.3<Ae/Ao<1.05.')"},
    {"(1X,' Hesabi istenen Ae = ',F6.4,' sinir disinda kalmaktadir.')",
     "(1X,' The requested Ae = ',F6.4,' lies outside the limits.')"},
    {"(1X,' Gawn Serisi Pervanelerde 0.2<Ae/Ao<1.10 dir.      ')",
     "(1X,' For Gawn Series Propellers 0.2<Ae/Ao<1.10.')"},
    {"(1X,' Hesabi istenen Ae/Ao = ',F6.3,' sinir disinda kalmaktadir.')",
     "(1X,' The requested Ae/Ao = ',F6.3,' lies outside the limits.')"},
    {"(1X,' KCA Serisi Pervanelerde 0.5<Ae/Ao<1.10 dir.       ')",
     "(1X,' For KCA Series Propellers 0.5<Ae/Ao<1.10.')"},
};

}  // namespace

std::span<const TranslatedText> english_texts() {
  return kEnglish;
}

std::string_view in_language(Language language, std::string_view text) {
  if (language == Language::Turkish) return text;
  static const std::unordered_map<std::string_view, std::string_view> english = [] {
    std::unordered_map<std::string_view, std::string_view> table;
    for (const TranslatedText& t : kEnglish) table.emplace(t.turkish, t.translated);
    return table;
  }();
  const auto found = english.find(text);
  return found == english.end() ? text : found->second;
}

std::optional<Language> language_from_code(std::string_view code) {
  if (code == "tr") return Language::Turkish;
  if (code == "en") return Language::English;
  return std::nullopt;
}

}  // namespace tidewerk
